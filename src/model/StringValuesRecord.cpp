#include "model/StringValuesRecord.h"

#include <array>
#include <utility>

namespace {

using Member = StringValuesRecord::Member;

const std::array<std::pair<QString, Member>, 8> &members()
{
    static const std::array<std::pair<QString, Member>, 8> table{{
        {FieldId::Company, &StringValuesRecord::company},
        {FieldId::Department, &StringValuesRecord::department},
        {FieldId::JobTitle, &StringValuesRecord::jobTitle},
        {FieldId::Nickname, &StringValuesRecord::nickname},
        {FieldId::Title, &StringValuesRecord::title},
        {FieldId::Suffix, &StringValuesRecord::suffix},
        {FieldId::Note, &StringValuesRecord::note},
        {FieldId::Renmei, &StringValuesRecord::renmei},
    }};
    return table;
}

} // namespace

StringValuesRecord::Member StringValuesRecord::memberFor(const ContactIdentifier &identifier)
{
    for (const auto &[key, member] : members()) {
        if (key == identifier)
            return member;
    }
    return nullptr;
}

std::optional<QString> StringValuesRecord::entry(const ContactIdentifier &identifier) const
{
    const Member member = memberFor(identifier);
    if (!member)
        return std::nullopt;
    return this->*member;
}

bool StringValuesRecord::setEntry(const ContactIdentifier &identifier, const std::optional<QString> &value)
{
    const Member member = memberFor(identifier);
    if (!member)
        return false;
    this->*member = value;
    return true;
}

const QStringList &StringValuesRecord::identifiers()
{
    static const QStringList list = [] {
        QStringList keys;
        for (const auto &entry : members())
            keys.append(entry.first);
        return keys;
    }();
    return list;
}

QVariantMap StringValuesRecord::toVariantMap() const
{
    QVariantMap map;
    for (const auto &[key, member] : members()) {
        if (this->*member)
            map.insert(key, *(this->*member));
    }
    return map;
}

StringValuesRecord StringValuesRecord::fromVariantMap(const QVariantMap &map)
{
    StringValuesRecord record;
    for (const auto &[key, member] : members()) {
        const auto it = map.constFind(key);
        if (it != map.cend())
            record.*member = it->toString();
    }
    return record;
}
