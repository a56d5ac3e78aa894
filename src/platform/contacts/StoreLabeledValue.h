#pragma once

#include "platform/contacts/StoreContactIdentifier.h"

#include <QString>

// One value of a multi-valued contact field with its label. The identifier is
// made once, when the value is made, and stays with the value through copies,
// changes of label or value, saving and fetching, so that a value can be
// recognised again after the list around it has changed.
template <typename T> class StoreLabeledValue {
public:
    StoreLabeledValue(const QString &label, const T &value)
        : m_identifier(StoreContactIdentifier::create())
        , m_label(label)
        , m_value(value)
    {
    }
    StoreLabeledValue(const QString &identifier, const QString &label, const T &value)
        : m_identifier(identifier)
        , m_label(label)
        , m_value(value)
    {
    }

    [[nodiscard]] const QString &identifier() const { return m_identifier; }
    [[nodiscard]] const QString &label() const { return m_label; }
    [[nodiscard]] const T &value() const { return m_value; }

    void setLabel(const QString &label) { m_label = label; }
    void setValue(const T &value) { m_value = value; }

    friend bool operator==(const StoreLabeledValue &, const StoreLabeledValue &) = default;

private:
    QString m_identifier;
    QString m_label;
    T m_value;
};
