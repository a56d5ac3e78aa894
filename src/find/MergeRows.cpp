#include "find/MergeRows.h"

#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"
#include "platform/TranslationContext.h"

#include <algorithm>

namespace MergeRows {

namespace {

const QStringList nameParts{FieldId::FirstName, FieldId::MiddleName, FieldId::LastName, FieldId::PreviousFamilyName};
const QStringList phoneticParts{FieldId::FirstName, FieldId::MiddleName, FieldId::LastName};

constexpr TranslationContext tr{"MergePanelController"};

MergeTableRowPtr row(const ContactIdentifier &type)
{
    auto made = std::make_shared<MergeTableRow>();
    made->type = type;
    return made;
}

void appendLabeledRows(
    QList<MergeTableRowPtr> &rows, MVPerson &person, const ContactIdentifier &type, qsizetype rowCount)
{
    const LabeledValueList values = *person.labeledValues(type);
    const qsizetype count = values.size();
    for (qsizetype position = 0; position < count; ++position) {
        MergeTableRowPtr made = row(type);
        made->label = values.at(position)->labelText();
        made->labelIndex = values.at(position)->labelIndex;
        made->index = position;
        made->valueCount = count - position;
        rows.append(made);
    }
    for (qsizetype filler = 0; filler < rowCount - count; ++filler) {
        MergeTableRowPtr made = row(type);
        made->label = QString();
        made->labelIndex = -1;
        made->index = -1;
        made->valueCount = -filler;
        rows.append(made);
    }
}

void appendRows(QList<MergeTableRowPtr> &rows, MVPerson &person, const ContactIdentifier &type,
    const QHash<ContactIdentifier, qsizetype> &counts, const QStringList &orderingLabels)
{
    if (type == FieldId::Name || type == FieldId::PhoneticName) {
        for (const QString &part : type == FieldId::Name ? nameParts : phoneticParts) {
            MergeTableRowPtr made = row(type);
            made->label = part;
            rows.append(made);
        }
    } else if (type == FieldId::Photo) {
        MergeTableRowPtr made = row(type);
        made->label = QString();
        made->emptyValue = true;
        rows.append(made);
    } else if (type == FieldId::NameOrdering) {
        MergeTableRowPtr made = row(type);
        const int ordering = person.nameValue()->nameOrdering;
        made->label = ordering == 1    ? tr("First Name First")
            : ordering == 2            ? tr("Last Name First")
            : orderingLabels.isEmpty() ? QString()
                                       : tr(orderingLabels.first().toUtf8().constData());
        rows.append(made);
    } else if (type == NameDisplay) {
        MergeTableRowPtr made = row(type);
        made->label = person.nameValue()->showAsPerson ? tr("Person") : tr("Company");
        rows.append(made);
    } else if (isMultiValued(type)) {
        appendLabeledRows(rows, person, type, std::max<qsizetype>(1, counts.value(type, 1)));
    } else if (type == FieldId::Birthday) {
        MergeTableRowPtr made = row(type);
        made->label = QString();
        if (!person.birthdayValue()->value)
            made->emptyValue = true;
        rows.append(made);
    } else {
        MergeTableRowPtr made = row(type);
        if (person.stringValues()->value(type).isEmpty()) {
            made->label = QString();
            made->emptyValue = true;
        }
        rows.append(made);
    }
}

} // namespace

const QList<ContactIdentifier> &blockOrder()
{
    static const QList<ContactIdentifier> order{FieldId::Photo, FieldId::Name, FieldId::NameOrdering, NameDisplay,
        FieldId::Company, FieldId::Renmei, FieldId::Address, FieldId::PhoneticName, FieldId::Email,
        FieldId::InstantMessage, FieldId::SocialNetwork, FieldId::URL, FieldId::Phone, FieldId::Nickname,
        FieldId::Birthday, FieldId::Relationship, FieldId::Suffix, FieldId::Title, FieldId::Department,
        FieldId::JobTitle, FieldId::Dates, FieldId::Note};
    return order;
}

bool isMultiValued(const ContactIdentifier &type)
{
    static const QList<ContactIdentifier> fields{FieldId::Email, FieldId::InstantMessage, FieldId::SocialNetwork,
        FieldId::URL, FieldId::Phone, FieldId::Address, FieldId::Relationship, FieldId::Dates};
    return fields.contains(type);
}

bool isDroppable(const ContactIdentifier &type)
{
    return type != FieldId::NameOrdering && type != NameDisplay && blockOrder().contains(type);
}

QHash<ContactIdentifier, qsizetype> labeledValueCounts(MVPerson &left, MVPerson &right)
{
    QHash<ContactIdentifier, qsizetype> counts;
    for (const ContactIdentifier &type : blockOrder()) {
        if (isMultiValued(type))
            counts.insert(
                type, std::max<qsizetype>({1, left.labeledValues(type)->size(), right.labeledValues(type)->size()}));
    }
    return counts;
}

QStringList nameOrderingLabels(const MVPerson &person)
{
    QStringList labels = FieldVocabulary::shared().labelsForIdentifier(FieldId::NameOrdering);
    labels.removeAll(QStringLiteral("All"));
    if (!labels.isEmpty()) {
        labels.first() = person.defaultNameOrdering() == 1
            ? QStringLiteral(QT_TRANSLATE_NOOP("MergePanelController", "System Default (First Name First)"))
            : QStringLiteral(QT_TRANSLATE_NOOP("MergePanelController", "System Default (Last Name First)"));
    }
    return labels;
}

QList<MergeTableRowPtr> build(
    MVPerson &person, const QHash<ContactIdentifier, qsizetype> &counts, const QStringList &nameOrderingLabels)
{
    QList<MergeTableRowPtr> rows;
    rows.reserve(32);
    for (const ContactIdentifier &type : blockOrder())
        appendRows(rows, person, type, counts, nameOrderingLabels);
    return rows;
}

QString namePart(MVPerson &person, const ContactIdentifier &type, const QString &part)
{
    const ContactIdentifier identifier = partIdentifier(type, part);
    if (identifier.isEmpty())
        return {};
    const PersonValue value = person.valueForIdentifier(identifier);
    const QString *text = std::get_if<QString>(&value);
    return text ? *text : QString();
}

ContactIdentifier partIdentifier(const ContactIdentifier &type, const QString &part)
{
    if (type == FieldId::Name)
        return nameParts.contains(part) ? part : QString();
    if (type == FieldId::PhoneticName && phoneticParts.contains(part))
        return QStringLiteral("Phonetic") + part;
    return {};
}

QString valueText(MVPerson &person, const MergeTableRow &row)
{
    const ContactIdentifier &type = row.type;
    if (type == FieldId::Name || type == FieldId::PhoneticName)
        return namePart(person, type, row.labelText());
    if (type == FieldId::Photo || type == FieldId::NameOrdering || type == NameDisplay)
        return {};
    if (isMultiValued(type))
        return row.isFiller() ? QString() : person.stringValueForIdentifier(type, row.labelIndex.value_or(-1));
    if (type == FieldId::Birthday)
        return person.birthdayValue()->stringValue;
    return person.stringValues()->value(type);
}

int linesOf(MVPerson &person, const MergeTableRow &row)
{
    if (row.type == FieldId::Photo)
        return 2;
    if (row.type == FieldId::Note) {
        const QString note = person.stringValues()->value(FieldId::Note);
        return note.isEmpty() ? 1 : int(note.count(QLatin1Char('\n'))) + 1;
    }
    return 1;
}

} // namespace MergeRows
