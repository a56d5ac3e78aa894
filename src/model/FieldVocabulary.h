#pragma once

#include "model/ContactIdentifier.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

// The field identifiers and label tables every part of the program speaks:
// which fields exist, which hold labeled values, which labels a field offers
// and how a label converts to and from the store's wrapped labels. The
// process holds one (shared()), built on first use; afterwards only the
// custom labels change, in memory, for the life of the process.
class FieldVocabulary {
public:
    using LabelList = std::shared_ptr<QStringList>;

    [[nodiscard]] static FieldVocabulary &shared();

    [[nodiscard]] const QStringList &allIdentifiers() const { return m_allIdentifiers; }
    [[nodiscard]] const QStringList &labeledIdentifiers() const { return m_labeledIdentifiers; }
    [[nodiscard]] const QStringList &addressIdentifiers() const { return m_addressIdentifiers; }
    [[nodiscard]] const QStringList &stringIdentifiers() const { return m_stringIdentifiers; }
    // The string fields the store holds: stringIdentifiers less "Renmei".
    [[nodiscard]] const QStringList &storeStringIdentifiers() const { return m_storeStringIdentifiers; }
    // Field identifier → the store's contact key.
    [[nodiscard]] const QHash<QString, QString> &CNIdentifiers() const { return m_storeKeys; }

    void setAllIdentifiers(const QStringList &identifiers) { m_allIdentifiers = identifiers; }
    void setLabeledIdentifiers(const QStringList &identifiers) { m_labeledIdentifiers = identifiers; }
    void setAddressIdentifiers(const QStringList &identifiers) { m_addressIdentifiers = identifiers; }
    void setStringIdentifiers(const QStringList &identifiers) { m_stringIdentifiers = identifiers; }
    void setCNIdentifiers(const QHash<QString, QString> &storeKeys) { m_storeKeys = storeKeys; }

    // "Labeled Value", "String Value", "Dictionary Value", or empty.
    [[nodiscard]] QString typeForIdentifier(const ContactIdentifier &identifier) const;
    // The display name of a field.
    [[nodiscard]] static QString localizedIdentifierForKey(const ContactIdentifier &identifier);

    // Built-in then custom labels; empty when the field has no built-in labels.
    [[nodiscard]] QStringList labelsForIdentifier(const ContactIdentifier &identifier) const;
    // The live custom list, or null.
    [[nodiscard]] LabelList customLabelsForIdentifier(const ContactIdentifier &identifier) const;
    // Built-in then custom labels of every field that has built-in labels.
    [[nodiscard]] QHash<QString, QStringList> labelTableDict() const;
    [[nodiscard]] const QHash<QString, LabelList> &customLabelTableDict() const { return m_customLabels; }
    [[nodiscard]] const QHash<QString, LabelList> &localizedLabelTableDict() const { return m_localizedLabels; }
    // Display texts, index for index parallel to labelsForIdentifier().
    [[nodiscard]] QStringList localizedLabelsForIdentifier(const ContactIdentifier &identifier) const;

    // Adds (from an unknown old label), renames or (to "") removes a custom
    // label; false when nothing changed.
    bool setLabel(const QString &oldLabel, const QString &newLabel, const ContactIdentifier &identifier);

    // Store label ↔ plain label word.
    [[nodiscard]] static QString labelFromCNLabel(const QString &storeLabel);
    [[nodiscard]] static QString CNLabelFromLabel(const QString &label);
    [[nodiscard]] static QString localizedLabelFromCNLabel(const QString &storeLabel);

private:
    FieldVocabulary();
    void buildIdentifiers();
    void buildBuiltInLabels();
    void buildLocalizedLabels();

    QStringList m_allIdentifiers;
    QStringList m_labeledIdentifiers;
    QStringList m_addressIdentifiers;
    QStringList m_storeStringIdentifiers;
    QStringList m_stringIdentifiers;
    QHash<QString, QString> m_storeKeys;
    QHash<QString, QStringList> m_builtInLabels;
    QHash<QString, LabelList> m_customLabels;
    QHash<QString, LabelList> m_localizedLabels;
};
