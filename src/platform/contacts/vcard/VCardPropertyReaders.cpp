#include "platform/contacts/vcard/VCardPropertyReaders_p.h"

#include "platform/contacts/ContactLabels.h"
#include "platform/contacts/vcard/VCardContactBuilder_p.h"
#include "platform/contacts/vcard/VCardLabels_p.h"
#include "platform/contacts/vcard/VCardLine_p.h"
#include "platform/contacts/vcard/VCardValues_p.h"

#include <string_view>
#include <unordered_map>

namespace {

using Result = VCardPropertyReaders::Result;

struct Context {
    const VCardLine &line;
    VCardContactBuilder &builder;
    QString &reason;
    QLatin1StringView argument; // the fixed label or service of an alias row
    void (StoreContact::*setter)(const QString &);

    Result skip(const char *why)
    {
        reason = QString::fromLatin1(why);
        return Result::Skipped;
    }
};

using Reader = Result (*)(Context &);

// ---- names and plain strings --------------------------------------------

Result readName(Context &c)
{
    const VCardValues values(c.line);
    if (!values.isValid())
        return c.skip("broken BASE64 text");
    StoreContact &contact = c.builder.contact();
    constexpr void (StoreContact::*setters[])(const QString &)
        = {&StoreContact::setFamilyName, &StoreContact::setGivenName, &StoreContact::setMiddleName,
            &StoreContact::setNamePrefix, &StoreContact::setNameSuffix};
    // The parts a card leaves empty stay empty; a second N line replaces all.
    const bool replacing = c.builder.isNameRead();
    for (qsizetype i = 0; i < 5; ++i) {
        if (const QString part = values.component(i); replacing || !part.isEmpty())
            (contact.*setters[i])(part);
    }
    c.builder.markNameRead();
    c.builder.markContent();
    return Result::Used;
}

// "a;b;;c" → "a, b, c": the given components joined, empty ones left out.
QString joinedComponents(const VCardValues &values, qsizetype from, qsizetype to, QStringView separator)
{
    QString joined;
    for (qsizetype i = from; i < std::min(to, values.componentCount()); ++i) {
        const QString part = values.component(i);
        if (part.isEmpty())
            continue;
        if (!joined.isEmpty())
            joined += separator;
        joined += part;
    }
    return joined;
}

Result readFormattedName(Context &c)
{
    const VCardValues values(c.line);
    if (!values.isValid())
        return c.skip("broken BASE64 text");
    c.builder.setFormattedName(values.text().trimmed());
    return Result::Used;
}

// NICKNAME, TITLE, X-MAIDENNAME and the X-PHONETIC-… lines: one string field each.
Result readString(Context &c)
{
    const VCardValues values(c.line);
    if (!values.isValid())
        return c.skip("broken BASE64 text");
    (c.builder.contact().*c.setter)(values.text());
    c.builder.markContent();
    return Result::Used;
}

Result readOrganization(Context &c)
{
    const VCardValues values(c.line);
    if (!values.isValid())
        return c.skip("broken BASE64 text");
    // "ORG:IBM;Accounting;Dungeon": every unit after the first is department.
    c.builder.contact().setOrganizationName(values.component(0));
    c.builder.contact().setDepartmentName(joinedComponents(values, 1, values.componentCount(), u", "));
    c.builder.markContent();
    return Result::Used;
}

// "SOUND;X-IRMC-N;CHARSET=SHIFT_JIS:ｱﾝﾄﾞｳ;ﾛｲﾄﾞ;;;" of Japanese phones: the
// reading of N, kept as written (half-width kana included). X-PHONETIC-…
// lines win over it, whichever comes first.
Result readSound(Context &c)
{
    if (!c.line.hasType(u"X-IRMC-N"))
        return c.skip("not a name reading (no X-IRMC-N)");
    const VCardValues values(c.line);
    if (!values.isValid())
        return c.skip("broken BASE64 text");
    StoreContact &contact = c.builder.contact();
    const auto setIfEmpty = [&](QString current, qsizetype index, void (StoreContact::*setter)(const QString &)) {
        if (current.isEmpty())
            (contact.*setter)(values.component(index));
    };
    setIfEmpty(contact.phoneticFamilyName(), 0, &StoreContact::setPhoneticFamilyName);
    setIfEmpty(contact.phoneticGivenName(), 1, &StoreContact::setPhoneticGivenName);
    setIfEmpty(contact.phoneticMiddleName(), 2, &StoreContact::setPhoneticMiddleName);
    c.builder.markContent();
    return Result::Used;
}

Result readShowAs(Context &c)
{
    const QStringView value = c.line.value.trimmed();
    if (value.compare(u"COMPANY", Qt::CaseInsensitive) == 0 || value.compare(u"org", Qt::CaseInsensitive) == 0
        || value.compare(u"organization", Qt::CaseInsensitive) == 0) {
        c.builder.contact().setContactType(StoreContact::ContactType::Organization);
        c.builder.markContent();
    }
    return Result::Used;
}

Result readNote(Context &c)
{
    const VCardValues values(c.line);
    if (!values.isValid())
        return c.skip("broken BASE64 text");
    c.builder.appendNote(values.text());
    return Result::Used;
}

Result readPhoto(Context &c)
{
    const VCardValues values(c.line);
    const std::optional<QByteArray> data = values.binary();
    if (!data)
        return c.line.value.trimmed().isEmpty() ? Result::Ignored : c.skip("not BASE64 data (a link or broken text)");
    if (data->isEmpty())
        return Result::Ignored;
    c.builder.setImageData(*data);
    return Result::Used;
}

// ---- labeled values -------------------------------------------------------

Result readPhone(Context &c)
{
    const VCardValues values(c.line);
    if (!values.isValid())
        return c.skip("broken BASE64 text");
    QString text = values.text().trimmed();
    if (text.startsWith(u"tel:", Qt::CaseInsensitive))
        text.remove(0, 4); // 4.0 "TEL;VALUE=uri:tel:+1-555-555-5555"
    const std::optional<StorePhoneNumber> number = StorePhoneNumber::phoneNumberWithStringValue(text);
    if (!number)
        return c.skip("empty number");
    c.builder.addPhoneNumber(c.line.group, VCardLabels::labelForTypes(VCardLabels::Kind::Phone, c.line), *number);
    return Result::Used;
}

// EMAIL and URL.
Result readStringValue(Context &c)
{
    const VCardValues values(c.line);
    if (!values.isValid())
        return c.skip("broken BASE64 text");
    const QString text = values.text().trimmed();
    if (text.isEmpty())
        return c.skip("empty value");
    const QString label = VCardLabels::labelForTypes(VCardLabels::Kind::Other, c.line);
    if (c.argument == QLatin1StringView("url"))
        c.builder.addUrlAddress(c.line.group, label, text);
    else
        c.builder.addEmailAddress(c.line.group, label, text);
    return Result::Used;
}

Result readAddress(Context &c)
{
    const VCardValues values(c.line);
    if (!values.isValid())
        return c.skip("broken BASE64 text");
    StorePostalAddress address;
    // Post-office box and extended address have no field of their own; they
    // lead the street, one line each ("ADR:;Suite 100;222 Broadway;…").
    address.street = joinedComponents(values, 0, 3, u"\n");
    address.city = values.component(3);
    address.state = values.component(4);
    address.postalCode = values.component(5);
    address.country = values.component(6);
    address.subLocality = c.line.parameter(u"X-APPLE-SUBLOCALITY").toString();
    address.subAdministrativeArea = c.line.parameter(u"X-APPLE-SUBADMINISTRATIVEAREA").toString();
    c.builder.addPostalAddress(c.line.group, VCardLabels::labelForTypes(VCardLabels::Kind::Other, c.line), address);
    return Result::Used;
}

// "item1.X-ABADR:jp": the ISO country code of the address in the group.
Result readAddressCountryCode(Context &c)
{
    const QString code = c.line.value.trimmed().toString();
    const bool isCode = code.size() == 2 && code.at(0).isLetter() && code.at(1).isLetter()
        && code.at(0).unicode() < 0x80 && code.at(1).unicode() < 0x80;
    if (c.line.group.isEmpty() || !isCode)
        return c.skip("no group or no country code");
    c.builder.setGroupCountryCode(c.line.group, code);
    return Result::Used;
}

Result readGroupLabel(Context &c)
{
    if (c.line.group.isEmpty())
        return c.skip("label without group");
    const VCardValues values(c.line);
    c.builder.setGroupLabel(c.line.group, values.text().trimmed());
    return Result::Used;
}

std::optional<StoreDateComponents> dateOf(const Context &c)
{
    const VCardValues values(c.line);
    if (!values.isValid())
        return std::nullopt;
    return VCardValues::parseDate(values.escapedText(), c.line.parameter(u"X-APPLE-OMIT-YEAR"));
}

Result readBirthday(Context &c)
{
    const std::optional<StoreDateComponents> date = dateOf(c);
    if (!date)
        return c.skip("not a date");
    c.builder.setBirthday(*date);
    c.builder.markContent();
    return Result::Used;
}

// X-ABDATE (labelled by its group) and the anniversaries of 4.0, Evolution and Outlook.
Result readDate(Context &c)
{
    const std::optional<StoreDateComponents> date = dateOf(c);
    if (!date)
        return c.skip("not a date");
    c.builder.addDate(c.line.group, c.argument.isEmpty() ? QString() : QString(c.argument), *date);
    return Result::Used;
}

// X-ABRELATEDNAMES (labelled by its group), 4.0 RELATED, X-SPOUSE and the like.
Result readRelation(Context &c)
{
    const VCardValues values(c.line);
    if (!values.isValid())
        return c.skip("broken BASE64 text");
    const QString name = values.text().trimmed();
    if (name.isEmpty())
        return c.skip("empty name");
    QString label = c.argument.isEmpty() ? QString() : QString(c.argument);
    for (QStringView type : c.line.types) {
        if (label.isEmpty())
            label = VCardLabels::relationLabelForType(type);
    }
    c.builder.addContactRelation(c.line.group, label, StoreContactRelation{name});
    return Result::Used;
}

// "IMPP;X-SERVICE-TYPE=AIM;TYPE=HOME:aim:johnny5" and "X-AIM;TYPE=HOME:johnny5".
Result readInstantMessage(Context &c)
{
    const VCardValues values(c.line);
    if (!values.isValid())
        return c.skip("broken BASE64 text");
    QString username = values.text().trimmed();
    QString service = c.argument.isEmpty() ? QString() : QString(c.argument);
    if (service.isEmpty()) {
        const qsizetype colon = username.indexOf(u':');
        if (colon > 0) {
            service = VCardLabels::instantMessageServiceForScheme(QStringView(username).first(colon));
            username.remove(0, colon + 1);
        }
        if (const QStringView named = c.line.parameter(u"X-SERVICE-TYPE"); !named.isEmpty())
            service = VCardLabels::knownInstantMessageService(named);
    }
    if (username.isEmpty())
        return c.skip("empty user name");
    c.builder.addInstantMessageAddress(c.line.group, VCardLabels::labelForTypes(VCardLabels::Kind::Other, c.line),
        StoreInstantMessageAddress{username, service});
    return Result::Used;
}

// "X-SOCIALPROFILE;type=twitter;x-user=jdoe:http://twitter.com/jdoe"
Result readSocialProfile(Context &c)
{
    const VCardValues values(c.line);
    if (!values.isValid())
        return c.skip("broken BASE64 text");
    StoreSocialProfile profile;
    profile.urlString = values.text().trimmed();
    profile.username = c.line.parameter(u"X-USER").toString();
    profile.userIdentifier = c.line.parameter(u"X-USERID").toString();
    profile.service = c.line.parameter(u"X-SERVICE-TYPE").toString();
    for (QStringView type : c.line.types) {
        if (profile.service.isEmpty() && type.compare(u"PREF", Qt::CaseInsensitive) != 0)
            profile.service = VCardLabels::knownSocialProfileService(type);
    }
    // Without a URL phones write "x-apple:<user name>".
    if (profile.urlString.startsWith(u"x-apple:", Qt::CaseInsensitive)) {
        if (profile.username.isEmpty())
            profile.username = profile.urlString.sliced(8);
        profile.urlString.clear();
    }
    if (profile.urlString.isEmpty() && profile.username.isEmpty())
        return c.skip("neither URL nor user name");
    c.builder.addSocialProfile(c.line.group, QString(), profile);
    return Result::Used;
}

Result ignore(Context &)
{
    return Result::Ignored;
}

// ---- dispatch -------------------------------------------------------------

struct Row {
    Reader reader;
    QLatin1StringView argument{};
    void (StoreContact::*setter)(const QString &) = nullptr;
};

// Names are told apart by their length and three of their letters well
// enough for a table of sixty; the library's hash reads every letter.
struct NameHash {
    std::size_t operator()(std::string_view name) const
    {
        return name.empty() ? 0
                            : name.size() * 131 + std::size_t(name.front()) * 31
                + std::size_t(name[name.size() / 2]) * 7 + std::size_t(name.back());
    }
};

using Table = std::unordered_map<std::string_view, Row, NameHash>;

const Table &table()
{
    static const Table rows{
        // Read by the caller from the card's text, or of no use to a store contact.
        {"VERSION", {ignore}},
        {"PRODID", {ignore}},
        {"REV", {ignore}},
        {"UID", {ignore}},
        {"X-ABUID", {ignore}},
        {"CATEGORIES", {ignore}},
        {"X-RENMEI", {ignore}},
        {"X-HAGAKILAYOUTS", {ignore}},
        {"LABEL", {ignore}},
        {"X-ABLABEL", {readGroupLabel}},
        {"N", {readName}},
        {"FN", {readFormattedName}},
        {"NICKNAME", {readString, {}, &StoreContact::setNickname}},
        {"TITLE", {readString, {}, &StoreContact::setJobTitle}},
        {"X-MAIDENNAME", {readString, {}, &StoreContact::setPreviousFamilyName}},
        {"X-PHONETIC-FIRST-NAME", {readString, {}, &StoreContact::setPhoneticGivenName}},
        {"X-PHONETIC-MIDDLE-NAME", {readString, {}, &StoreContact::setPhoneticMiddleName}},
        {"X-PHONETIC-LAST-NAME", {readString, {}, &StoreContact::setPhoneticFamilyName}},
        {"X-PHONETIC-ORG", {readString, {}, &StoreContact::setPhoneticOrganizationName}},
        {"SOUND", {readSound}},
        {"ORG", {readOrganization}},
        {"X-ABSHOWAS", {readShowAs}},
        {"KIND", {readShowAs}},
        {"NOTE", {readNote}},
        {"PHOTO", {readPhoto}},
        {"TEL", {readPhone}},
        {"EMAIL", {readStringValue}},
        {"URL", {readStringValue, QLatin1StringView("url")}},
        {"ADR", {readAddress}},
        {"X-ABADR", {readAddressCountryCode}},
        {"BDAY", {readBirthday}},
        {"X-ABDATE", {readDate}},
        {"ANNIVERSARY", {readDate, ContactLabels::dateAnniversary}},
        {"X-ANNIVERSARY", {readDate, ContactLabels::dateAnniversary}},
        {"X-EVOLUTION-ANNIVERSARY", {readDate, ContactLabels::dateAnniversary}},
        {"X-MS-ANNIVERSARY", {readDate, ContactLabels::dateAnniversary}},
        {"X-ABRELATEDNAMES", {readRelation}},
        {"RELATED", {readRelation}},
        {"X-SPOUSE", {readRelation, ContactLabels::contactRelationSpouse}},
        {"X-EVOLUTION-SPOUSE", {readRelation, ContactLabels::contactRelationSpouse}},
        {"X-MS-SPOUSE", {readRelation, ContactLabels::contactRelationSpouse}},
        {"X-MANAGER", {readRelation, ContactLabels::contactRelationManager}},
        {"X-EVOLUTION-MANAGER", {readRelation, ContactLabels::contactRelationManager}},
        {"X-MS-MANAGER", {readRelation, ContactLabels::contactRelationManager}},
        {"X-ASSISTANT", {readRelation, ContactLabels::contactRelationAssistant}},
        {"X-EVOLUTION-ASSISTANT", {readRelation, ContactLabels::contactRelationAssistant}},
        {"X-MS-ASSISTANT", {readRelation, ContactLabels::contactRelationAssistant}},
        {"IMPP", {readInstantMessage}},
        {"X-AIM", {readInstantMessage, ContactLabels::instantMessageServiceAIM}},
        {"X-ICQ", {readInstantMessage, ContactLabels::instantMessageServiceICQ}},
        {"X-JABBER", {readInstantMessage, ContactLabels::instantMessageServiceJabber}},
        {"X-MSN", {readInstantMessage, ContactLabels::instantMessageServiceMSN}},
        {"X-YAHOO", {readInstantMessage, ContactLabels::instantMessageServiceYahoo}},
        {"X-SKYPE", {readInstantMessage, ContactLabels::instantMessageServiceSkype}},
        {"X-SKYPE-USERNAME", {readInstantMessage, ContactLabels::instantMessageServiceSkype}},
        {"X-QQ", {readInstantMessage, ContactLabels::instantMessageServiceQQ}},
        {"X-GOOGLE-TALK", {readInstantMessage, ContactLabels::instantMessageServiceGoogleTalk}},
        {"X-GADUGADU", {readInstantMessage, ContactLabels::instantMessageServiceGaduGadu}},
        {"X-SOCIALPROFILE", {readSocialProfile}},
    };
    return rows;
}

// The property name in upper case, or nothing for a name no table row can have.
std::optional<std::string_view> upperCaseName(QStringView name, char (&buffer)[32])
{
    if (name.size() >= qsizetype(sizeof buffer))
        return std::nullopt;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name.at(i).unicode();
        if (c >= 0x80)
            return std::nullopt;
        buffer[i] = (c >= u'a' && c <= u'z') ? char(c - 32) : char(c);
    }
    return std::string_view(buffer, size_t(name.size()));
}

} // namespace

VCardPropertyReaders::Result VCardPropertyReaders::read(
    const VCardLine &line, VCardContactBuilder &builder, QString *reason)
{
    char buffer[32];
    const std::optional<std::string_view> name = upperCaseName(line.name, buffer);
    if (!name)
        return Result::Unknown;
    const Table &rows = table();
    const auto row = rows.find(*name);
    if (row == rows.end())
        return Result::Unknown;
    QString why;
    Context context{line, builder, why, row->second.argument, row->second.setter};
    const Result result = row->second.reader(context);
    if (reason)
        *reason = why;
    return result;
}
