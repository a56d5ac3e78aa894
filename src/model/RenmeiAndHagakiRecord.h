#pragma once

#include <QList>
#include <QString>
#include <QVariantMap>

#include <optional>

// The per-contact data kept beside the contacts store: the joint names and,
// per address, the layout of its postcard. Address entries are matched back to
// the contact's addresses by label and one-line text, since those are what
// survive a reload (the store numbers the values anew).
struct RenmeiAndHagakiRecord {
    struct HagakiEntry {
        QString label; // "Label": "" for a contact without address
        QString addressString; // "AddressString": "" for a contact without address
        QString layoutString; // "LayoutString": never empty

        bool operator==(const HagakiEntry &) const = default;
    };

    std::optional<QString> renmei; // "Renmei": present only when not empty
    QList<HagakiEntry> hagakiArray; // "HagakiArray": present only when not empty

    // No joint names and no layouts: such a record is never stored; saving
    // one removes the contact's stored record.
    [[nodiscard]] bool isEmpty() const { return !renmei && hagakiArray.isEmpty(); }

    [[nodiscard]] QVariantMap toVariantMap() const;
    // nullopt when the map is not of the record's shape (a key holding
    // something other than the type the record keeps there).
    [[nodiscard]] static std::optional<RenmeiAndHagakiRecord> fromVariantMap(const QVariantMap &map);

    bool operator==(const RenmeiAndHagakiRecord &) const = default;
};

namespace RenmeiAndHagakiKey {
inline const QString Renmei = QStringLiteral("Renmei");
inline const QString HagakiArray = QStringLiteral("HagakiArray");
inline const QString Label = QStringLiteral("Label");
inline const QString AddressString = QStringLiteral("AddressString");
inline const QString LayoutString = QStringLiteral("LayoutString");
} // namespace RenmeiAndHagakiKey
