#include "platform/contacts/vcard/VCardContactWriter_p.h"

#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/StoreContactFormatter.h"
#include "platform/contacts/vcard/VCardEscaping_p.h"
#include "platform/contacts/vcard/VCardFolding_p.h"
#include "platform/contacts/vcard/VCardValues_p.h"

namespace {

bool needsQuotes(QStringView value)
{
    for (QChar c : value) {
        const char16_t u = c.unicode();
        if (u == u';' || u == u':' || u == u',' || u == u'"' || u < 0x20)
            return true;
    }
    return false;
}

} // namespace

void VCardContactWriter::beginLine(std::string_view name)
{
    m_lineStart = m_out.size();
    m_out.append(name);
}

void VCardContactWriter::appendParameter(std::string_view name, QStringView value)
{
    m_out.push_back(';');
    m_out.append(name);
    m_out.push_back('=');
    if (!needsQuotes(value)) {
        VCardEscaping::appendUtf8(m_out, value);
        return;
    }
    // A parameter value cannot hold a double quote, even quoted; line ends
    // and other controls have no form there at all.
    QString quoted = value.toString();
    quoted.replace(u'"', u'\'');
    for (QChar &c : quoted) {
        if (c.unicode() < 0x20)
            c = u' ';
    }
    m_out.push_back('"');
    VCardEscaping::appendUtf8(m_out, quoted);
    m_out.push_back('"');
}

void VCardContactWriter::appendValue(QStringView text)
{
    m_out.push_back(':');
    VCardEscaping::appendEscapedUtf8(m_out, text);
}

void VCardContactWriter::appendComponent(QStringView text)
{
    m_out.push_back(';');
    VCardEscaping::appendEscapedUtf8(m_out, text);
}

void VCardContactWriter::endLine()
{
    if (m_out.size() - m_lineStart <= VCardFolding::maximumLineOctets) {
        m_out.append("\r\n", 2);
        return;
    }
    // The folds go where the line stands, so it is folded from a copy.
    m_longLine.assign(m_out, m_lineStart);
    m_out.resize(m_lineStart);
    VCardFolding::appendFoldedLine(m_out, m_longLine);
}

void VCardContactWriter::writeTextLine(std::string_view name, const QString &text)
{
    if (text.isEmpty())
        return;
    beginLine(name);
    appendValue(text);
    endLine();
}

std::string VCardContactWriter::beginLabeledLine(std::string_view name, const QString &label, LabelStyle style,
    VCardLabels::Kind kind, bool grouped, QLatin1StringView extraType)
{
    const QLatin1StringView types
        = style == LabelStyle::Types ? VCardLabels::typesForLabel(kind, label) : QLatin1StringView();
    std::string group;
    if (grouped || (types.isEmpty() && !label.isEmpty()))
        group = "item" + std::to_string(++m_item);
    m_lineStart = m_out.size();
    if (!group.empty()) {
        m_out.append(group);
        m_out.push_back('.');
    }
    m_out.append(name);
    if (!extraType.isEmpty() || !types.isEmpty()) {
        m_out.append(";TYPE=");
        m_out.append(extraType.data(), std::size_t(extraType.size()));
        if (!extraType.isEmpty() && !types.isEmpty())
            m_out.push_back(',');
        m_out.append(types.data(), std::size_t(types.size()));
    }
    return group;
}

void VCardContactWriter::writeItemLabel(
    const std::string &group, const QString &label, LabelStyle style, VCardLabels::Kind kind)
{
    if (group.empty() || label.isEmpty())
        return;
    if (style == LabelStyle::Types && !VCardLabels::typesForLabel(kind, label).isEmpty())
        return;
    beginLine(group + ".X-ABLabel");
    appendValue(label);
    endLine();
}

// FN: the organization for a company or a contact without names, else the
// name parts joined by spaces. The parts are escaped one by one into the line:
// a space between them is never part of an escape.
void VCardContactWriter::appendFormattedName(const StoreContact &contact)
{
    const QString given = contact.givenName();
    const QString family = contact.familyName();
    if (contact.contactType() == StoreContact::ContactType::Organization || (given.isEmpty() && family.isEmpty())) {
        if (const QString organization = contact.organizationName(); !organization.isEmpty()) {
            appendValue(organization);
            return;
        }
    }
    // The order matters only where both names are there ("山田 太郎", "John Doe").
    const bool familyFirst = !given.isEmpty() && !family.isEmpty()
        && StoreContactFormatter::nameOrderForContact(contact)
            == StoreContactFormatter::DisplayNameOrder::FamilyNameFirst;
    m_out.push_back(':');
    bool first = true;
    for (const QString &part : {contact.namePrefix(), familyFirst ? family : given, contact.middleName(),
             familyFirst ? given : family, contact.nameSuffix()}) {
        if (part.isEmpty())
            continue;
        if (!first)
            m_out.push_back(' ');
        first = false;
        VCardEscaping::appendEscapedUtf8(m_out, part);
    }
}

void VCardContactWriter::writeNames(const StoreContact &contact)
{
    beginLine("N");
    appendValue(contact.familyName());
    appendComponent(contact.givenName());
    appendComponent(contact.middleName());
    appendComponent(contact.namePrefix());
    appendComponent(contact.nameSuffix());
    endLine();
    beginLine("FN");
    appendFormattedName(contact);
    endLine();
    writeTextLine("X-MAIDENNAME", contact.previousFamilyName());
    writeTextLine("NICKNAME", contact.nickname());
    writeTextLine("X-PHONETIC-FIRST-NAME", contact.phoneticGivenName());
    writeTextLine("X-PHONETIC-MIDDLE-NAME", contact.phoneticMiddleName());
    writeTextLine("X-PHONETIC-LAST-NAME", contact.phoneticFamilyName());
}

void VCardContactWriter::writeOrganization(const StoreContact &contact)
{
    const QString organization = contact.organizationName();
    const QString department = contact.departmentName();
    if (!organization.isEmpty() || !department.isEmpty()) {
        beginLine("ORG");
        appendValue(organization);
        if (!department.isEmpty())
            appendComponent(department);
        endLine();
    }
    writeTextLine("X-PHONETIC-ORG", contact.phoneticOrganizationName());
    writeTextLine("TITLE", contact.jobTitle());
}

void VCardContactWriter::writePhoneNumbers(const StoreContact &contact)
{
    // Each list is held const: a loop over the returned list itself would
    // detach it and copy every value.
    const StoreContact::PhoneNumbers values = contact.phoneNumbers();
    for (const auto &value : values) {
        const std::string group = beginLabeledLine("TEL", value.label(), LabelStyle::Types, VCardLabels::Kind::Phone);
        appendValue(value.value().stringValue());
        endLine();
        writeItemLabel(group, value.label(), LabelStyle::Types, VCardLabels::Kind::Phone);
    }
}

// EMAIL (with the INTERNET type that mail programs expect) and URL.
void VCardContactWriter::writeStrings(
    std::string_view name, const StoreContact::Strings &values, QLatin1StringView extraType)
{
    for (const auto &value : values) {
        const std::string group
            = beginLabeledLine(name, value.label(), LabelStyle::Types, VCardLabels::Kind::Other, false, extraType);
        appendValue(value.value());
        endLine();
        writeItemLabel(group, value.label(), LabelStyle::Types, VCardLabels::Kind::Other);
    }
}

void VCardContactWriter::writePostalAddresses(const StoreContact &contact)
{
    const StoreContact::PostalAddresses values = contact.postalAddresses();
    for (const auto &value : values) {
        const StorePostalAddress &address = value.value();
        const bool hasCode = !address.isoCountryCode.isEmpty();
        const std::string group
            = beginLabeledLine("ADR", value.label(), LabelStyle::Types, VCardLabels::Kind::Other, hasCode);
        if (!address.subLocality.isEmpty())
            appendParameter("X-APPLE-SUBLOCALITY", address.subLocality);
        if (!address.subAdministrativeArea.isEmpty())
            appendParameter("X-APPLE-SUBADMINISTRATIVEAREA", address.subAdministrativeArea);
        appendValue(QString());
        appendComponent(QString());
        appendComponent(address.street);
        appendComponent(address.city);
        appendComponent(address.state);
        appendComponent(address.postalCode);
        appendComponent(address.country);
        endLine();
        if (hasCode) {
            beginLine(group + ".X-ABADR");
            appendValue(address.isoCountryCode);
            endLine();
        }
        writeItemLabel(group, value.label(), LabelStyle::Types, VCardLabels::Kind::Other);
    }
}

void VCardContactWriter::writeDates(const StoreContact &contact)
{
    const StoreContact::Dates values = contact.dates();
    for (const auto &value : values) {
        if (value.value().isEmpty())
            continue;
        bool omittedYear = false;
        const std::string text = VCardValues::formatDate(value.value(), &omittedYear);
        const std::string group
            = beginLabeledLine("X-ABDATE", value.label(), LabelStyle::ItemLabel, VCardLabels::Kind::Other);
        if (omittedYear)
            m_out.append(";X-APPLE-OMIT-YEAR=1604");
        m_out.push_back(':');
        m_out.append(text);
        endLine();
        writeItemLabel(group, value.label(), LabelStyle::ItemLabel, VCardLabels::Kind::Other);
    }
}

void VCardContactWriter::writeRelations(const StoreContact &contact)
{
    const StoreContact::ContactRelations values = contact.contactRelations();
    for (const auto &value : values) {
        const std::string group
            = beginLabeledLine("X-ABRELATEDNAMES", value.label(), LabelStyle::ItemLabel, VCardLabels::Kind::Other);
        appendValue(value.value().name);
        endLine();
        writeItemLabel(group, value.label(), LabelStyle::ItemLabel, VCardLabels::Kind::Other);
    }
}

// "IMPP;X-SERVICE-TYPE=Jabber;TYPE=HOME:xmpp:jdoe@example.com", as phones
// write them since IMPP came; the service parameter keeps names that have no
// scheme of their own.
void VCardContactWriter::writeInstantMessages(const StoreContact &contact)
{
    const StoreContact::InstantMessageAddresses values = contact.instantMessageAddresses();
    for (const auto &value : values) {
        const StoreInstantMessageAddress &address = value.value();
        const std::string group = beginLabeledLine("IMPP", value.label(), LabelStyle::Types, VCardLabels::Kind::Other);
        if (!address.service.isEmpty())
            appendParameter("X-SERVICE-TYPE", address.service);
        m_out.push_back(':');
        const QLatin1StringView scheme = VCardLabels::schemeForInstantMessageService(address.service);
        m_out.append(scheme.data(), std::size_t(scheme.size()));
        m_out.push_back(':');
        VCardEscaping::appendEscapedUtf8(m_out, address.username);
        endLine();
        writeItemLabel(group, value.label(), LabelStyle::Types, VCardLabels::Kind::Other);
    }
}

void VCardContactWriter::writeSocialProfiles(const StoreContact &contact)
{
    const StoreContact::SocialProfiles values = contact.socialProfiles();
    for (const auto &value : values) {
        const StoreSocialProfile &profile = value.value();
        const std::string group
            = beginLabeledLine("X-SOCIALPROFILE", value.label(), LabelStyle::ItemLabel, VCardLabels::Kind::Other);
        // TYPE is where phones look for the service; a name with a comma
        // would fall apart there into a list of types.
        if (!profile.service.isEmpty())
            appendParameter(profile.service.contains(u',') ? "X-SERVICE-TYPE" : "TYPE", profile.service);
        if (!profile.username.isEmpty())
            appendParameter("X-USER", profile.username);
        if (!profile.userIdentifier.isEmpty())
            appendParameter("X-USERID", profile.userIdentifier);
        appendValue(profile.urlString);
        endLine();
        writeItemLabel(group, value.label(), LabelStyle::ItemLabel, VCardLabels::Kind::Other);
    }
}

void VCardContactWriter::writeBirthday(const StoreContact &contact)
{
    const std::optional<StoreDateComponents> birthday = contact.birthday();
    if (!birthday || birthday->isEmpty())
        return;
    bool omittedYear = false;
    const std::string text = VCardValues::formatDate(*birthday, &omittedYear);
    beginLine("BDAY");
    if (omittedYear)
        m_out.append(";X-APPLE-OMIT-YEAR=1604");
    m_out.push_back(':');
    m_out.append(text);
    endLine();
}

void VCardContactWriter::write(const StoreContact &contact)
{
    m_item = 0;
    m_out.append("BEGIN:VCARD\r\nVERSION:3.0\r\n");
    writeNames(contact);
    writeOrganization(contact);
    writeStrings("EMAIL", contact.emailAddresses(), QLatin1StringView("INTERNET"));
    writePhoneNumbers(contact);
    writePostalAddresses(contact);
    writeStrings("URL", contact.urlAddresses(), QLatin1StringView());
    writeDates(contact);
    writeRelations(contact);
    writeInstantMessages(contact);
    writeSocialProfiles(contact);
    writeBirthday(contact);
    if (contact.contactType() == StoreContact::ContactType::Organization)
        m_out.append("X-ABShowAs:COMPANY\r\n");
    m_out.append("END:VCARD\r\n");
}
