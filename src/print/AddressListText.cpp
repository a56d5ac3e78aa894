#include "print/AddressListText.h"

#include "model/MVPerson.h"
#include "print/PrintOptionValue.h"
#include "print/PrintOptionsRecord.h"
#include "print/TextGlyphs_p.h"

#include <QFontMetricsF>

namespace {

const QString allLabels = QStringLiteral("All");

bool accepts(const QStringList &labels, const LabeledValueRecord &value)
{
    return labels.contains(allLabels) || labels.contains(value.labelText());
}

PersonValue valueOf(const PrintContactRecord &contact, const ContactIdentifier &type)
{
    return contact.person ? contact.person->valueForIdentifier(type) : PersonValue();
}

// The display text of a name, a phonetic name or a birthday; nothing for a
// value of another kind.
std::optional<QString> recordText(const PersonValue &value)
{
    if (const auto *name = std::get_if<NameRecord>(&value))
        return name->stringValue;
    if (const auto *phonetic = std::get_if<PhoneticNameRecord>(&value))
        return phonetic->stringValue;
    if (const auto *birthday = std::get_if<BirthdayRecord>(&value))
        return birthday->stringValue;
    return std::nullopt;
}

} // namespace

AddressListText::AddressListText(const QFont &font)
    : m_font(font)
{
}

double AddressListText::headingWidth(const QString &heading) const
{
    auto found = m_headingWidths.constFind(heading);
    if (found == m_headingWidths.cend())
        found = m_headingWidths.insert(
            heading, QFontMetricsF(m_font, TextGlyphs::pointDevice()).horizontalAdvance(heading));
    return *found;
}

ListRowText AddressListText::item(
    const PrintContactRecord &contact, const ContactIdentifier &type, const QStringList &labels, double indent) const
{
    const PersonValue value = valueOf(contact, type);
    const QString heading = type + QStringLiteral(": ");
    ListRowText text;
    text.append(heading, indent);
    const double hanging = headingWidth(heading) + indent;
    if (const auto *list = std::get_if<LabeledValueList>(&value)) {
        bool first = true;
        for (const LabeledValueRecordPtr &entry : *list) {
            if (!entry || !accepts(labels, *entry))
                continue;
            const QString label = entry->labelText();
            const std::optional<double> entryIndent = first ? std::nullopt : std::optional<double>(hanging);
            text.append(label + u':', entryIndent, true);
            text.append(u' ' + entry->stringValue + u'\n', entryIndent);
            first = false;
        }
        if (first)
            text.append(QStringLiteral("\n"));
    } else if (const std::optional<QString> shown = recordText(value)) {
        text.append(*shown + u'\n');
    } else if (const auto *plain = std::get_if<QString>(&value); plain && !plain->isEmpty()) {
        text.append(*plain + u'\n', hanging);
    }
    return text;
}

ListRowText AddressListText::row(
    const PrintContactRecord &contact, const QStringList &items, const QStringList &labels) const
{
    ListRowText text;
    text.append((contact.person ? contact.person->compositeName() : QString()) + u'\n');
    for (const QString &type : items)
        text.append(item(contact, type, labels, itemIndent));
    text.chop();
    return text;
}

QStringList AddressListText::printedItems(const QVariantList &itemTable)
{
    QStringList items;
    for (const QVariant &entry : itemTable) {
        const QVariantMap item = entry.toMap();
        const QString title = PrintOptionValue::text(item.value(PrintOptionsKey::Title));
        if (title != QLatin1String("Name") && PrintOptionValue::flag(item.value(PrintOptionsKey::State)))
            items.append(title);
    }
    return items;
}

QStringList AddressListText::selectedLabels(const QVariantMap &listOptions)
{
    QStringList labels;
    for (const QVariant &label : listOptions.value(PrintOptionsKey::SelectedLabels).toList())
        labels.append(label.toString());
    return labels.isEmpty() ? QStringList{allLabels} : labels;
}
