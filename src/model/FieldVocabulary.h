#pragma once

#include "model/ContactIdentifier.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>

// The field identifiers and label tables every part of the program speaks:
// which fields exist, which hold labeled values, which labels a field offers
// and how a label converts to and from the store's wrapped labels. The
// process holds one (shared()), built on first use; afterwards only the
// custom labels change, in memory, for the life of the process.
//
// The table rows register the labels they meet on the main thread while
// vCard files are read on worker threads, so the label lists are never
// changed in place: a change builds new lists and swaps them in whole, and a
// reader keeps the lists it was handed for as long as it holds them.
class FieldVocabulary {
public:
    using LabelList = std::shared_ptr<const QStringList>;
    using LabelTable = QHash<QString, LabelList>;

    [[nodiscard]] static FieldVocabulary &shared();

    [[nodiscard]] const QStringList &allIdentifiers() const { return m_allIdentifiers; }
    [[nodiscard]] const QStringList &labeledIdentifiers() const { return m_labeledIdentifiers; }
    [[nodiscard]] const QStringList &addressIdentifiers() const { return m_addressIdentifiers; }
    [[nodiscard]] const QStringList &stringIdentifiers() const { return m_stringIdentifiers; }
    // The string fields the store holds: stringIdentifiers less "Renmei".
    [[nodiscard]] const QStringList &storeStringIdentifiers() const { return m_storeStringIdentifiers; }
    // Field identifier → the store's contact key.
    [[nodiscard]] const QHash<QString, QString> &CNIdentifiers() const { return m_storeKeys; }

    void setCNIdentifiers(const QHash<QString, QString> &storeKeys) { m_storeKeys = storeKeys; }

    // "Labeled Value", "String Value", "Dictionary Value", or empty.
    [[nodiscard]] QString typeForIdentifier(const ContactIdentifier &identifier) const;
    // The display name of a field.
    [[nodiscard]] static QString localizedIdentifierForKey(const ContactIdentifier &identifier);

    // Built-in then custom labels; empty when the field has no built-in labels.
    [[nodiscard]] QStringList labelsForIdentifier(const ContactIdentifier &identifier) const;
    // The custom list as it stands, or null.
    [[nodiscard]] LabelList customLabelsForIdentifier(const ContactIdentifier &identifier) const;
    // Built-in then custom labels of every field that has built-in labels.
    [[nodiscard]] QHash<QString, QStringList> labelTableDict() const;
    // Display texts, index for index parallel to labelsForIdentifier().
    [[nodiscard]] QStringList localizedLabelsForIdentifier(const ContactIdentifier &identifier) const;

    // Adds (from an unknown old label), renames or (to "") removes a custom
    // label; false when nothing changed.
    bool setLabel(const QString &oldLabel, const QString &newLabel, const ContactIdentifier &identifier);
    // Forgets every custom label, as at start-up.
    void removeAllCustomLabels();

    // Store label ↔ plain label word.
    [[nodiscard]] static QString labelFromCNLabel(const QString &storeLabel);
    [[nodiscard]] static QString CNLabelFromLabel(const QString &label);
    [[nodiscard]] static QString localizedLabelFromCNLabel(const QString &storeLabel);

private:
    // The lists that change: custom labels, and the display texts of the
    // built-in labels followed by the custom ones.
    struct LabelTables {
        LabelTable custom;
        LabelTable localized;
    };
    using LabelTablesPtr = std::shared_ptr<const LabelTables>;

    FieldVocabulary();
    void buildIdentifiers();
    void buildBuiltInLabels();
    [[nodiscard]] LabelTable builtInLocalizedLabels() const;
    [[nodiscard]] LabelTablesPtr labelTables() const;
    void swapInLabelTables(LabelTables tables);
    // The change of setLabel on a copy of the tables; false when nothing changes.
    bool changeLabel(LabelTables &tables, const QString &oldLabel, const QString &newLabel,
        const ContactIdentifier &identifier) const;

    QStringList m_allIdentifiers;
    QStringList m_labeledIdentifiers;
    QStringList m_addressIdentifiers;
    QStringList m_storeStringIdentifiers;
    QStringList m_stringIdentifiers;
    QHash<QString, QString> m_storeKeys;
    QHash<QString, QStringList> m_builtInLabels;
    // Readers hold the lock only while they take the tables in hand.
    mutable std::mutex m_tablesMutex;
    LabelTablesPtr m_labelTables;
    // Writers wait for each other while they make the new tables.
    std::mutex m_writeMutex;
};
