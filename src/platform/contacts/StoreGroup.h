#pragma once

#include <QString>

// A group of contacts within one container. A group made with a name only is
// new and gets a fresh UUID string as identifier, which it keeps when a save
// request adds it; fetched groups carry the stored identifier.
class StoreGroup {
public:
    explicit StoreGroup(const QString &name = {});
    StoreGroup(const QString &identifier, const QString &name);

    [[nodiscard]] StoreGroup mutableCopy() const { return *this; }

    [[nodiscard]] const QString &identifier() const { return m_identifier; }
    [[nodiscard]] const QString &name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }

    friend bool operator==(const StoreGroup &, const StoreGroup &) = default;

private:
    QString m_identifier;
    QString m_name;
};
