#pragma once

#include "model/ContactIdentifier.h"
#include "print/ListRowText.h"
#include "print/PrintContactRecord.h"

#include <QFont>
#include <QHash>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

// The text of the rows of an address list: a receiver's display name, then
// one item for each field the list prints, every item headed by its title.
// The values of a list (phones, e-mail addresses…) stand in a column after
// the heading, each with its label; the lines of a note align under its
// first.
class AddressListText {
public:
    // How far an item's heading stands in.
    static constexpr double itemIndent = 20;

    // Headings are measured in the font, in points.
    explicit AddressListText(const QFont &font);

    // One item of the contact: its heading and its value, or values, with
    // the labels among the given ones ("All" takes every label).
    [[nodiscard]] ListRowText item(const PrintContactRecord &contact, const ContactIdentifier &type,
        const QStringList &labels, double indent) const;

    // A receiver's whole row: the name line and the items, without the
    // closing line break.
    [[nodiscard]] ListRowText row(
        const PrintContactRecord &contact, const QStringList &items, const QStringList &labels) const;

    // The titles of the item table's printed entries, in order; "Name" is
    // never one: every row begins with the name.
    [[nodiscard]] static QStringList printedItems(const QVariantList &itemTable);
    // "selectedLabels" of the list's options; "All" when missing or empty.
    [[nodiscard]] static QStringList selectedLabels(const QVariantMap &listOptions);

private:
    [[nodiscard]] double headingWidth(const QString &heading) const;

    QFont m_font;
    mutable QHash<QString, double> m_headingWidths;
};
