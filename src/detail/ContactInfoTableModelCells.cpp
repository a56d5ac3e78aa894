// What the cells of a contact's details show, where a find hit lies among
// the rows, and where Return and Tab move.

#include "detail/ContactInfoTableModel.h"

#include "detail/DetailRowKinds_p.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"

#include <algorithm>
#include <QCoreApplication>

using namespace DetailRowKinds;

namespace {

// A part of the name or of the phonetic name, by its key.
template <typename Record> QString partOf(const Record &name, const QString &key)
{
    if (key == FieldId::FirstName)
        return name.firstName;
    if (key == FieldId::LastName)
        return name.lastName;
    if constexpr (std::is_same_v<Record, NameRecord>) {
        if (key == FieldId::MiddleName)
            return name.middleName();
        if (key == FieldId::PreviousFamilyName)
            return name.previousFamilyName();
    } else if (key == FieldId::MiddleName) {
        return name.middleName;
    }
    return {};
}

// The list without "All", which no pop-up offers, and the positions kept.
QList<qsizetype> shownPositions(const QStringList &words)
{
    QList<qsizetype> positions;
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (words.at(i) != QStringLiteral("All"))
            positions.append(i);
    }
    return positions;
}

} // namespace

ContactInfoTableModel::CellKind ContactInfoTableModel::cellKind(int row) const
{
    const ContactIdentifier &type = m_table.at(row).type;
    if (type == FieldId::Photo)
        return CellKind::Image;
    if (type == FieldId::NameOrdering || type == NameDisplay)
        return CellKind::Popup;
    if (isLabeled(type))
        return CellKind::PopupAndText;
    return CellKind::Text;
}

QString ContactInfoTableModel::valueText(int row) const
{
    MVPerson *shown = person();
    if (!shown)
        return {};
    const InfoRowRecord &record = m_table.at(row);
    const ContactIdentifier &type = record.type;
    if (type == FieldId::Name)
        return partOf(*shown->nameValue(), record.labelText());
    if (type == FieldId::PhoneticName)
        return partOf(*shown->phoneticNameValue(), record.labelText());
    if (type == Groups)
        return m_contact->groupNames->join(QStringLiteral(", "));
    if (type == FieldId::Birthday)
        return shown->birthdayValue()->stringValue;
    if (type == FieldId::Photo)
        return {};
    if (cellKind(row) == CellKind::Popup) {
        const QStringList titles = popupTitles(row);
        const int selected = popupSelectedIndex(row);
        return selected >= 0 && selected < titles.size() ? titles.at(selected) : QString();
    }
    if (isLabeled(type))
        return record.index ? shown->stringValueForIdentifier(type, record.labelIndex.value_or(0)) : QString();
    return shown->stringValueForIdentifier(type, 0);
}

QString ContactInfoTableModel::placeholderText(int row) const
{
    const InfoRowRecord &record = m_table.at(row);
    if (record.type != FieldId::Name && record.type != FieldId::PhoneticName)
        return {};
    return QCoreApplication::translate("MVPerson", record.labelText().toUtf8().constData());
}

bool ContactInfoTableModel::isHitRow(const InfoRowRecord &row) const
{
    const ItemAndRangeRecord &target = *m_findTarget;
    if (row.type == FieldId::Name)
        return target.identifier == FieldId::Name && target.subIdentifier == row.labelText();
    if (row.type == FieldId::PhoneticName)
        return target.identifier == FieldId::PhoneticName && target.subIdentifier == phoneticPrefix + row.labelText();
    if (isLabeled(row.type))
        return target.identifier == row.type && target.labelIndex == row.labelIndex;
    return target.identifier == row.type;
}

FindMarks ContactInfoTableModel::textMarks(int row) const
{
    FindMarks marks(valueText(row), m_findString, m_findOptions);
    const MVPerson *shown = person();
    if (m_findTarget && shown && m_findTarget->uniqueId == shown->uniqueIdValue() && isHitRow(m_table.at(row)))
        marks.markHit(m_findTarget->range, false);
    return marks;
}

LabeledValueRecordPtr ContactInfoTableModel::labeledValue(int row) const
{
    const InfoRowRecord &record = m_table.at(row);
    MVPerson *shown = person();
    if (!shown || !record.index || !isLabeled(record.type))
        return nullptr;
    return shown->labeledValueForIdentifierAtLabelIndex(record.type, record.labelIndex.value_or(0));
}

QStringList ContactInfoTableModel::popupWords(int row) const
{
    const ContactIdentifier &type = m_table.at(row).type;
    if (type == FieldId::NameOrdering)
        return m_nameOrderingLabels;
    if (type != NameDisplay)
        return {};
    QStringList words;
    const QStringList all = FieldVocabulary::shared().labelsForIdentifier(FieldId::ShowAsPerson);
    for (const qsizetype position : shownPositions(all))
        words.append(all.at(position));
    return words;
}

QStringList ContactInfoTableModel::popupTitles(int row) const
{
    const ContactIdentifier &type = m_table.at(row).type;
    QStringList titles;
    if (type == FieldId::NameOrdering) {
        for (const QString &word : m_nameOrderingLabels)
            titles.append(tr(word.toUtf8().constData()));
    } else if (type == NameDisplay) {
        const QStringList all = FieldVocabulary::shared().labelsForIdentifier(FieldId::ShowAsPerson);
        const QStringList localized = FieldVocabulary::shared().localizedLabelsForIdentifier(FieldId::ShowAsPerson);
        for (const qsizetype position : shownPositions(all))
            titles.append(position < localized.size() ? localized.at(position) : all.at(position));
    }
    return titles;
}

int ContactInfoTableModel::popupSelectedIndex(int row) const
{
    MVPerson *shown = person();
    if (!shown)
        return -1;
    const ContactIdentifier &type = m_table.at(row).type;
    if (type == FieldId::NameOrdering) {
        const int ordering = shown->nameValue()->nameOrdering;
        return ordering == 1 || ordering == 2 ? ordering : 0;
    }
    if (type == NameDisplay)
        return shown->nameValue()->showAsPerson ? 0 : 1;
    return -1;
}

bool ContactInfoTableModel::isPopupEnabled(int row) const
{
    return m_table.at(row).type == NameDisplay && m_editState;
}

bool ContactInfoTableModel::appliesTextEdit(int row) const
{
    const InfoRowRecord &record = m_table.at(row);
    if (record.type == FieldId::Name || record.type == FieldId::PhoneticName || isStringType(record.type))
        return true;
    // The empty row of a field without values has nothing to put the text in.
    return takesTypedText(record.type) && record.index.has_value();
}

bool ContactInfoTableModel::isTextEditable(int row) const
{
    return m_editState && m_table.at(row).type != FieldId::Renmei && appliesTextEdit(row);
}

// --- Find and Return/Tab -----------------------------------------------------

int ContactInfoTableModel::rowOfHit(const ItemAndRangeRecord &hit) const
{
    const MVPerson *shown = person();
    if (!shown || hit.uniqueId != shown->uniqueIdValue())
        return 0;
    const QString part = hit.subIdentifier.value_or(QString());
    for (int row = 0; row < m_table.size(); ++row) {
        const InfoRowRecord &record = m_table.at(row);
        if (record.type != hit.identifier)
            continue;
        if (record.type == FieldId::Name && record.labelText() != part)
            continue;
        if (record.type == FieldId::PhoneticName && phoneticPrefix + record.labelText() != part)
            continue;
        if (isLabeled(record.type) && record.labelIndex != hit.labelIndex.value_or(0))
            continue;
        return row;
    }
    return 0;
}

int ContactInfoTableModel::nextEditableRow(int from) const
{
    const int count = int(m_table.size());
    // Never round to the top: Return in the last text row (the note) would
    // open the first name with its text selected, and the next keys would
    // replace the name.
    for (int row = std::max(from + 1, 0); row < count; ++row) {
        const InfoRowRecord &record = m_table.at(row);
        if (isSkippedByReturn(record.type))
            continue;
        if (takesTypedText(record.type) && record.labelText().isEmpty())
            continue;
        return row;
    }
    return -1;
}
