#include "find/FindReplacement.h"

#include "find/FindFieldSearch.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"
#include "model/ValueRecordFormatter.h"
#include "platform/contacts/ContactLabels.h"
#include "table/TableColumn.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QString usernameKey = QString(ContactLabels::instantMessageAddressUsernameKey);

// The text with the range replaced, when the range lies in it and holds the
// find string.
std::optional<QString> replaced(const QString &text, const std::optional<TextRange> &range, const QString &find,
    const QString &replacement, Qt::CaseSensitivity caseSensitivity)
{
    if (!range || !range->isFound() || range->length == 0 || !range->liesWithin(text.size()))
        return std::nullopt;
    if (QStringView(text).sliced(range->location, range->length).compare(find, caseSensitivity) != 0)
        return std::nullopt;
    return QString(text).replace(range->location, range->length, replacement);
}

QString textOf(const PersonValue &value)
{
    const QString *text = std::get_if<QString>(&value);
    return text ? *text : QString();
}

std::optional<FindReplacement::Change> labeledChange(const ItemAndRangeRecord &hit, qsizetype position,
    MVPerson &person, const QString &find, const QString &replacement, Qt::CaseSensitivity caseSensitivity)
{
    const ContactIdentifier field = FindFieldSearch::labeledFieldOf(hit.identifier);
    const LabeledValueRecordPtr value = person.labeledValueForIdentifierAtIndex(field, position);
    if (!value)
        return std::nullopt;
    LabeledValueRecord changed = *value;
    if (field == FieldId::Address) {
        const bool whole = hit.identifier == FieldId::Address;
        const QString part = whole ? hit.subIdentifier.value_or(QString()) : hit.identifier;
        if (part.isEmpty())
            return std::nullopt;
        const std::optional<QString> text
            = replaced(value->addressPart(part), whole ? hit.itemRange : hit.range, find, replacement, caseSensitivity);
        if (!text)
            return std::nullopt;
        changed.setAddressPart(part, *text);
        return FindReplacement::Change{FieldId::Address, changed};
    }
    const bool message = field == FieldId::InstantMessage;
    if (message && hit.subIdentifier != usernameKey)
        return std::nullopt;
    const std::optional<QString> text
        = replaced(value->valueText(), message ? hit.itemRange : hit.range, find, replacement, caseSensitivity);
    if (!text)
        return std::nullopt;
    changed.value = *text;
    if (message || field == FieldId::SocialNetwork)
        changed.account->username = *text;
    return FindReplacement::Change{field, changed};
}

} // namespace

std::optional<FindReplacement::Change> FindReplacement::changeForHit(const ItemAndRangeRecord &hit, qsizetype position,
    MVPerson &person, const QString &find, const QString &replacement, Qt::CaseSensitivity caseSensitivity)
{
    if (find.isEmpty() || hit.identifier == FieldId::Birthday || hit.identifier == FieldId::Dates)
        return std::nullopt;
    if (!FindFieldSearch::labeledFieldOf(hit.identifier).isEmpty())
        return labeledChange(hit, position, person, find, replacement, caseSensitivity);
    if (hit.identifier == FieldId::Name || hit.identifier == FieldId::PhoneticName) {
        // A company's name in the table's name cell lies in no part.
        if (!hit.itemRange || !hit.subIdentifier || hit.subIdentifier->isEmpty())
            return std::nullopt;
        const QString &part = *hit.subIdentifier;
        const std::optional<QString> text
            = replaced(textOf(person.valueForIdentifier(part)), hit.itemRange, find, replacement, caseSensitivity);
        if (!text)
            return std::nullopt;
        return Change{part, *text};
    }
    const std::optional<QString> text
        = replaced(textOf(person.valueForIdentifier(hit.identifier)), hit.range, find, replacement, caseSensitivity);
    if (!text)
        return std::nullopt;
    return Change{hit.identifier, *text};
}

QList<FindReplacement::Text> FindReplacement::textsOfColumns(
    MVPerson &person, const QStringList &columns, const QStringList &labels)
{
    QList<Text> texts;
    const FindFieldSearch::Options filter{Qt::CaseInsensitive, false, FindFieldSearch::Scope::Table, labels};
    for (const QString &column : columns) {
        const ContactIdentifier field = FindFieldSearch::labeledFieldOf(column);
        if (column == FieldId::Name) {
            // A company's cell shows the company, which the column does not replace.
            if (person.showAsPerson()) {
                for (const auto &part : ValueRecordFormatter::compositeNameParts(*person.nameValue()))
                    texts.append({part.key, 0});
            }
        } else if (column == FieldId::PhoneticName) {
            const auto parts
                = ValueRecordFormatter::phoneticNameParts(*person.phoneticNameValue(), person.nameOrdering());
            for (const auto &part : parts)
                texts.append({part.key, 0});
        } else if (column == FieldId::Dates) {
            continue;
        } else if (!field.isEmpty()) {
            const LabeledValueListPtr values = FindFieldSearch::valuesOf(person, field);
            for (qsizetype position = 0; values && position < values->size(); ++position) {
                if (!FindFieldSearch::passesLabels(*values->at(position), filter))
                    continue;
                if (column != FieldId::Address) {
                    texts.append({column, position});
                    continue;
                }
                for (const QString &part : FieldVocabulary::shared().addressIdentifiers())
                    texts.append({part, position});
            }
        } else if (FieldVocabulary::shared().stringIdentifiers().contains(column)) {
            texts.append({column, 0});
        }
    }
    return texts;
}

QList<FindReplacement::Text> FindReplacement::textsOfContact(MVPerson &person)
{
    static const QStringList single{FieldId::FirstName, FieldId::MiddleName, FieldId::LastName,
        FieldId::PreviousFamilyName, FieldId::Renmei, FieldId::Company, FieldId::PhoneticFirstName,
        FieldId::PhoneticMiddleName, FieldId::PhoneticLastName};
    static const QStringList labeled{FieldId::Email, FieldId::Phone, FieldId::InstantMessage, FieldId::SocialNetwork,
        FieldId::URL, FieldId::Address};
    static const QStringList trailing{FieldId::Nickname, FieldId::Relationship, FieldId::Suffix, FieldId::Title,
        FieldId::Department, FieldId::JobTitle, FieldId::Note};
    QList<Text> texts;
    for (const QString &identifier : single)
        texts.append({identifier, 0});
    const auto appendValues = [&texts, &person](const QString &identifier) {
        const LabeledValueListPtr values = person.labeledValues(identifier);
        for (qsizetype position = 0; values && position < values->size(); ++position) {
            if (identifier != FieldId::Address)
                texts.append({identifier, position});
            for (const QString &part :
                identifier == FieldId::Address ? FieldVocabulary::shared().addressIdentifiers() : QStringList())
                texts.append({part, position});
        }
    };
    for (const QString &identifier : labeled)
        appendValues(identifier);
    for (const QString &identifier : trailing) {
        if (identifier == FieldId::Relationship)
            appendValues(identifier);
        else
            texts.append({identifier, 0});
    }
    return texts;
}
