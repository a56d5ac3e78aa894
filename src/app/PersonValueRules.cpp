#include "app/PersonValueRules_p.h"

#include <QStringList>

#include <algorithm>

namespace PersonValueRules {

namespace {

const QStringList &labeledIdentifiers()
{
    static const QStringList identifiers{FieldId::Phone, FieldId::Email, FieldId::URL, FieldId::Relationship,
        FieldId::SocialNetwork, FieldId::Address, FieldId::InstantMessage, FieldId::Dates};
    return identifiers;
}

template <typename Pointer> bool samePointees(const QList<Pointer> &a, const QList<Pointer> &b)
{
    return std::equal(a.cbegin(), a.cend(), b.cbegin(), b.cend(),
        [](const Pointer &x, const Pointer &y) { return x == y || (x && y && *x == *y); });
}

} // namespace

bool isLabeledIdentifier(const ContactIdentifier &identifier)
{
    return labeledIdentifiers().contains(identifier);
}

bool isAddressPart(const ContactIdentifier &identifier)
{
    static const QStringList parts{FieldId::ZIP, FieldId::State, FieldId::City, FieldId::Street, FieldId::Country};
    return parts.contains(identifier);
}

bool isNamePart(const ContactIdentifier &identifier)
{
    static const QStringList parts{
        FieldId::FirstName, FieldId::LastName, FieldId::MiddleName, FieldId::PreviousFamilyName};
    return parts.contains(identifier);
}

bool isPhoneticPart(const ContactIdentifier &identifier)
{
    static const QStringList parts{FieldId::PhoneticFirstName, FieldId::PhoneticLastName, FieldId::PhoneticMiddleName};
    return parts.contains(identifier);
}

bool isStringIdentifier(const ContactIdentifier &identifier)
{
    static const QStringList identifiers{FieldId::Renmei, FieldId::Company, FieldId::Department, FieldId::Nickname,
        FieldId::JobTitle, FieldId::Title, FieldId::Note, FieldId::Suffix};
    return identifiers.contains(identifier);
}

bool sameValue(const PersonValue &a, const PersonValue &b)
{
    if (a.index() != b.index())
        return false;
    if (const auto *list = std::get_if<LabeledValueList>(&a))
        return samePointees(*list, std::get<LabeledValueList>(b));
    if (const auto *layouts = std::get_if<HagakiLayoutList>(&a))
        return samePointees(*layouts, std::get<HagakiLayoutList>(b));
    if (const auto *layout = std::get_if<HagakiLayoutRecordPtr>(&a))
        return samePointees(HagakiLayoutList{*layout}, HagakiLayoutList{std::get<HagakiLayoutRecordPtr>(b)});
    return a == b;
}

QString replacedString(
    const QString &text, const QString &find, const QString &replacement, Qt::CaseSensitivity options)
{
    if (find.isEmpty())
        return text.isEmpty() ? replacement : text;
    return QString(text).replace(find, replacement, options);
}

void setAddressPart(LabeledValueRecord &address, const ContactIdentifier &part, const QString &text)
{
    address.setAddressPart(part, text);
}

} // namespace PersonValueRules
