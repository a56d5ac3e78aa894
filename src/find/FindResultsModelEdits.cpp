// How the find panel's hits change: the current match moving, replacing and
// the undoable write of one row into its contact.

#include "find/FindResultsModel.h"

#include "editors/ValueEditorDelegate.h"
#include "find/FindSearch.h"
#include "find/TextMatcher.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"
#include "platform/UndoManager.h"

bool FindResultsModel::hasCurrentMatch() const
{
    return m_selectedRow >= 0 && m_selectedRow < m_rows.size() && m_selectedRangeIndex >= 0
        && m_selectedRangeIndex < m_rows.at(m_selectedRow)->ranges.size();
}

void FindResultsModel::setCurrent(int row, int rangeIndex)
{
    const int previous = m_selectedRow;
    m_selectedRow = row;
    m_selectedRangeIndex = rangeIndex;
    reloadValue(previous);
    if (row != previous)
        reloadValue(row);
    Q_EMIT currentRowChanged(row);
}

void FindResultsModel::selectRow(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    setCurrent(row, 0);
}

void FindResultsModel::moveToNextMatch(qsizetype rangeCount)
{
    if (m_rows.isEmpty())
        return;
    int row = std::clamp(m_selectedRow, 0, int(m_rows.size()) - 1);
    int rangeIndex = m_selectedRangeIndex + 1;
    if (rangeIndex >= rangeCount) {
        rangeIndex = 0;
        row = (row + 1) % int(m_rows.size());
    }
    setCurrent(row, rangeIndex);
}

void FindResultsModel::next()
{
    if (m_selectedRow < 0 || m_selectedRow >= m_rows.size())
        return;
    moveToNextMatch(m_rows.at(m_selectedRow)->ranges.size());
}

void FindResultsModel::previous()
{
    if (m_rows.isEmpty())
        return;
    int row = std::clamp(m_selectedRow, 0, int(m_rows.size()) - 1);
    const qsizetype rangeCount = m_rows.at(row)->ranges.size();
    // A position left past the row's hits by an earlier replace steps back
    // onto its last one.
    int rangeIndex = int(std::min<qsizetype>(m_selectedRangeIndex, rangeCount)) - 1;
    if (rangeIndex < 0) {
        row = row <= 0 ? int(m_rows.size()) - 1 : row - 1;
        rangeIndex = int(m_rows.at(row)->ranges.size()) - 1;
    }
    setCurrent(row, rangeIndex);
}

void FindResultsModel::replace(const QString &replacement)
{
    if (m_selectedRow < 0 || m_selectedRow >= m_rows.size() || m_selectedRangeIndex < 0)
        return;
    const FindResultRowPtr row = m_rows.at(m_selectedRow);
    const qsizetype rangeCount = row->ranges.size();
    if (hasCurrentMatch() && !isDateRow(*row)) {
        const TextRange range = row->ranges.at(m_selectedRangeIndex);
        if (range.liesWithin(row->value.size())) {
            const QString text = QString(row->value).replace(range.location, range.length, replacement);
            undoReplaceValue(text, TextMatcher(m_searchString, m_compareOptions).rangesIn(text), row);
        }
    }
    moveToNextMatch(rangeCount);
}

void FindResultsModel::replaceAll(const QString &find, const QString &replacement)
{
    m_undoManager->beginUndoGrouping();
    m_batch = true;
    for (const FindResultRowPtr &row : std::as_const(m_rows)) {
        if (isDateRow(*row) || find.isEmpty())
            continue;
        const QString text = QString(row->value).replace(find, replacement, Qt::CaseSensitive);
        // A value whose hits differ in case from the text keeps its hits and
        // its contact stays untouched.
        if (text != row->value)
            undoReplaceValue(text, {}, row);
    }
    m_batch = false;
    m_undoManager->endUndoGrouping();
    if (!m_rows.isEmpty())
        Q_EMIT dataChanged(index(0, 0), index(int(m_rows.size()) - 1, ColumnCount - 1));
    m_selectedRow = -1;
    m_selectedRangeIndex = -1;
    Q_EMIT currentRowChanged(-1);
}

namespace {
LabeledValueList copyOf(const LabeledValueList &values);
} // namespace

PersonValue FindResultsModel::oldValueOf(const FindResultRow &row) const
{
    MVPerson &person = *row.contact->person;
    if (row.item == FieldId::Birthday)
        return *person.birthdayValue();
    if (row.item == FieldId::Dates)
        return copyOf(*person.datesValues());
    return row.value;
}

bool FindResultsModel::undoReplaceValue(
    const PersonValue &value, const QList<TextRange> &ranges, const FindResultRowPtr &row)
{
    if (!row || !row->contact || !row->contact->person)
        return false;
    m_undoManager->registerUndo(this, &FindResultsModel::undoReplaceValue, oldValueOf(*row), row->ranges, row);
    row->value = writeIntoContact(value, *row);
    row->ranges = ranges;
    reloadValue(row);
    return true;
}

namespace {

// The value the parent stores for a new text of a labeled value; none when
// the contact no longer holds that value.
std::optional<LabeledValueRecord> changedLabeledValue(MVPerson &person, const FindResultRow &row, const QString &text)
{
    const LabeledValueRecordPtr old
        = person.labeledValueForIdentifierAtLabelIndex(row.item, row.labelIndex.value_or(-1));
    if (!old)
        return std::nullopt;
    LabeledValueRecord changed = *old;
    if (row.item == FieldId::Address) {
        changed.setAddressPart(row.subItem == FindSearch::CountryCode ? FindSearch::isoCodeKey() : row.subItem, text);
    } else {
        changed.value = text;
        // Chat and social user names live in the value and the user name alike.
        if (row.item == FieldId::InstantMessage || row.item == FieldId::SocialNetwork)
            changed.account->username = text;
    }
    return changed;
}

LabeledValueList copyOf(const LabeledValueList &values)
{
    LabeledValueList copies;
    for (const LabeledValueRecordPtr &entry : values)
        copies.append(std::make_shared<LabeledValueRecord>(*entry));
    return copies;
}

// The contact's dates with one date's value changed, or the whole list a
// dates editor handed back.
LabeledValueList datesFrom(const PersonValue &value, MVPerson &person, const FindResultRow &row)
{
    if (const auto *list = std::get_if<LabeledValueList>(&value))
        return copyOf(*list);
    LabeledValueList dates = copyOf(*person.datesValues());
    const auto *date = std::get_if<LabeledValueRecord>(&value);
    const qsizetype index = row.index.value_or(-1);
    if (date && index >= 0 && index < dates.size()) {
        dates[index]->value = date->value;
        dates[index]->stringValue = date->stringValue;
    }
    return dates;
}

// The text of the row's date in a list; empty once the date is gone.
QString dateText(const LabeledValueList &dates, const FindResultRow &row)
{
    for (const LabeledValueRecordPtr &date : dates) {
        if (date->labelIndex == row.labelIndex.value_or(-1))
            return date->stringValue;
    }
    return {};
}

} // namespace

QString FindResultsModel::writeIntoContact(const PersonValue &value, const FindResultRow &row)
{
    MVPerson &person = *row.contact->person;
    if (row.item == FieldId::Birthday) {
        if (!m_valueEditorDelegate) {
            const auto *birthday = std::get_if<BirthdayRecord>(&value);
            return birthday ? birthday->stringValue : row.value;
        }
        m_valueEditorDelegate->undoReplaceValue(value, FieldId::Birthday, row.contact);
        return person.birthdayValue()->stringValue;
    }
    if (row.item == FieldId::Dates) {
        const LabeledValueList dates = datesFrom(value, person, row);
        if (m_valueEditorDelegate)
            m_valueEditorDelegate->undoReplaceValue(dates, FieldId::Dates, row.contact);
        return dateText(m_valueEditorDelegate ? *person.datesValues() : dates, row);
    }
    const QString text = std::holds_alternative<QString>(value) ? std::get<QString>(value) : QString();
    if (!m_valueEditorDelegate)
        return text;
    const QString type = FieldVocabulary::shared().typeForIdentifier(row.item);
    if (type == FieldKind::StringValue) {
        m_valueEditorDelegate->undoReplaceValue(text, row.item, row.contact);
    } else if (type == FieldKind::DictionaryValue) {
        m_valueEditorDelegate->undoReplaceValue(text, row.subItem, row.contact);
    } else if (type == FieldKind::LabeledValue) {
        if (const std::optional<LabeledValueRecord> changed = changedLabeledValue(person, row, text))
            m_valueEditorDelegate->undoReplaceValue(*changed, row.item, row.contact);
    }
    return text;
}
