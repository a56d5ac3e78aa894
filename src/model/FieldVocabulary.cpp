#include "model/FieldVocabulary.h"

#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/ContactLabels.h"

#include <QCoreApplication>

#include <array>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

// Store label → plain word. Only these labels are converted; any other is
// unwrapped from "_$!<" … ">!$_" or passed through.
const std::array<std::pair<QLatin1StringView, QLatin1StringView>, 26> &labelWords()
{
    static const std::array<std::pair<QLatin1StringView, QLatin1StringView>, 26> table{{
        {"All"_L1, "All"_L1},
        {ContactLabels::work, "work"_L1},
        {ContactLabels::home, "home"_L1},
        {ContactLabels::other, "other"_L1},
        {ContactLabels::phoneNumberiPhone, "iPhone"_L1},
        {ContactLabels::phoneNumberMain, "main"_L1},
        {ContactLabels::phoneNumberMobile, "mobile"_L1},
        {ContactLabels::phoneNumberHomeFax, "home fax"_L1},
        {ContactLabels::phoneNumberWorkFax, "work fax"_L1},
        {ContactLabels::phoneNumberOtherFax, "other fax"_L1},
        {ContactLabels::phoneNumberPager, "pager"_L1},
        {ContactLabels::urlAddressHomePage, "home page"_L1},
        {ContactLabels::contactRelationMother, "mother"_L1},
        {ContactLabels::contactRelationFather, "father"_L1},
        {ContactLabels::contactRelationParent, "parent"_L1},
        {ContactLabels::contactRelationSister, "sister"_L1},
        {ContactLabels::contactRelationBrother, "brother"_L1},
        {ContactLabels::contactRelationChild, "child"_L1},
        {ContactLabels::contactRelationFriend, "friend"_L1},
        {ContactLabels::contactRelationSpouse, "spouse"_L1},
        {ContactLabels::contactRelationPartner, "partner"_L1},
        {ContactLabels::contactRelationAssistant, "assistant"_L1},
        {ContactLabels::contactRelationManager, "manager"_L1},
        {ContactLabels::dateAnniversary, "anniversary"_L1},
        {ContactLabels::contactRelationSon, "son"_L1},
        {ContactLabels::contactRelationDaughter, "daughter"_L1},
    }};
    return table;
}

// The words as texts made once, so that the label of every value read shares
// one text instead of holding a copy of its own.
const std::array<QString, 26> &labelWordTexts()
{
    static const std::array<QString, 26> texts = [] {
        std::array<QString, 26> words;
        for (std::size_t i = 0; i < words.size(); ++i)
            words[i] = labelWords()[i].second;
        return words;
    }();
    return texts;
}

const QString noLabel = u"No label"_s;
const QLatin1StringView wrapOpening = "_$!<"_L1;
// "_$!<" and ">!$_" around at least nothing.
constexpr qsizetype shortestWrappedLabel = 8;

QString wordOfLabel(const QString &storeLabel)
{
    for (std::size_t i = 0; i < labelWords().size(); ++i) {
        if (storeLabel == labelWords()[i].first)
            return labelWordTexts()[i];
    }
    QString word = storeLabel;
    // A label shorter than its wrapping would unwrap into garbage: keep it.
    if (storeLabel.contains(wrapOpening) && storeLabel.size() >= shortestWrappedLabel)
        word = storeLabel.mid(4, storeLabel.size() - 8);
    return word.isEmpty() ? noLabel : word;
}

QStringList wordsOf(std::initializer_list<QLatin1StringView> storeLabels)
{
    QStringList words;
    words.reserve(qsizetype(storeLabels.size()));
    for (const QLatin1StringView storeLabel : storeLabels)
        words.append(FieldVocabulary::labelFromCNLabel(storeLabel));
    return words;
}

} // namespace

FieldVocabulary &FieldVocabulary::shared()
{
    static FieldVocabulary vocabulary;
    return vocabulary;
}

FieldVocabulary::FieldVocabulary()
{
    buildIdentifiers();
    buildBuiltInLabels();
    m_labelTables = std::make_shared<const LabelTables>(LabelTables{{}, builtInLocalizedLabels()});
}

FieldVocabulary::LabelTablesPtr FieldVocabulary::labelTables() const
{
    const std::lock_guard lock(m_tablesMutex);
    return m_labelTables;
}

void FieldVocabulary::swapInLabelTables(LabelTables tables)
{
    auto swapped = std::make_shared<const LabelTables>(std::move(tables));
    const std::lock_guard lock(m_tablesMutex);
    m_labelTables.swap(swapped);
}

void FieldVocabulary::buildIdentifiers()
{
    using namespace FieldId;
    m_allIdentifiers = {Name, Company, Department, JobTitle, Nickname, Title, Suffix, Note, Phone, Email, URL, Address,
        Relationship, SocialNetwork, InstantMessage, Dates, Birthday, PhoneticName, Photo};
    setCNIdentifiers({
        {Department, ContactKeys::departmentName},
        {Nickname, ContactKeys::nickname},
        {JobTitle, ContactKeys::jobTitle},
        {Title, ContactKeys::namePrefix},
        {Suffix, ContactKeys::nameSuffix},
        {Company, ContactKeys::organizationName},
        {Phone, ContactKeys::phoneNumbers},
        {Email, ContactKeys::emailAddresses},
        {Address, ContactKeys::postalAddresses},
        {InstantMessage, ContactKeys::instantMessageAddresses},
        {SocialNetwork, ContactKeys::socialProfiles},
        {Relationship, ContactKeys::contactRelations},
        {URL, ContactKeys::urlAddresses},
        {Birthday, ContactKeys::birthday},
        {Dates, ContactKeys::dates},
        {PhoneticFirstNameStore, ContactKeys::phoneticGivenName},
        {PhoneticMiddleNameStore, ContactKeys::phoneticMiddleName},
        {PhoneticLastNameStore, ContactKeys::phoneticFamilyName},
        {Photo, ContactKeys::imageData},
        {Note, ContactKeys::note},
    });
    m_labeledIdentifiers = {Email, InstantMessage, SocialNetwork, URL, Phone, Address, Relationship, Dates};
    m_addressIdentifiers = {ZIP, State, City, Street, Country};
    m_storeStringIdentifiers = {Company, Department, Nickname, JobTitle, Title, Note, Suffix};
    m_stringIdentifiers = QStringList{Renmei} + m_storeStringIdentifiers;
}

void FieldVocabulary::buildBuiltInLabels()
{
    const auto homeWorkOther = wordsOf({ContactLabels::home, ContactLabels::work, ContactLabels::other});
    m_builtInLabels.insert(FieldId::Email, homeWorkOther);
    m_builtInLabels.insert(FieldId::Address, homeWorkOther);
    m_builtInLabels.insert(FieldId::URL,
        wordsOf({ContactLabels::urlAddressHomePage, ContactLabels::home, ContactLabels::work, ContactLabels::other}));
    m_builtInLabels.insert(FieldId::Phone,
        wordsOf({ContactLabels::home, ContactLabels::work, ContactLabels::other, ContactLabels::phoneNumberMain,
            ContactLabels::phoneNumberMobile, ContactLabels::phoneNumberiPhone, ContactLabels::phoneNumberPager,
            ContactLabels::phoneNumberHomeFax, ContactLabels::phoneNumberWorkFax, ContactLabels::phoneNumberOtherFax}));
    m_builtInLabels.insert(FieldId::Relationship,
        wordsOf({ContactLabels::contactRelationFather, ContactLabels::contactRelationMother,
            ContactLabels::contactRelationParent, ContactLabels::contactRelationSpouse,
            ContactLabels::contactRelationChild, ContactLabels::contactRelationBrother,
            ContactLabels::contactRelationSister, ContactLabels::contactRelationFriend,
            ContactLabels::contactRelationAssistant, ContactLabels::contactRelationManager,
            ContactLabels::contactRelationPartner, ContactLabels::contactRelationSon,
            ContactLabels::contactRelationDaughter}));
    m_builtInLabels.insert(FieldId::Dates, wordsOf({ContactLabels::dateAnniversary}));
    m_builtInLabels.insert(FieldId::SocialNetwork,
        wordsOf({ContactLabels::socialProfileServiceTwitter, ContactLabels::socialProfileServiceFacebook,
            ContactLabels::socialProfileServiceFlickr, ContactLabels::socialProfileServiceLinkedIn,
            ContactLabels::socialProfileServiceYelp, ContactLabels::socialProfileServiceMySpace,
            ContactLabels::socialProfileServiceSinaWeibo, ContactLabels::socialProfileServiceTencentWeibo, "WeChat"_L1,
            "Instagram"_L1, "Pinterest"_L1, "LINE"_L1, "Snapchat"_L1,
            // Stored label words: kept as users' files already hold them.
            "Tumbler"_L1, "WhatsApp"_L1}));
    m_builtInLabels.insert(FieldId::InstantMessage, homeWorkOther);
    m_builtInLabels.insert(FieldId::ShowAsPerson, {u"Person"_s, u"Company"_s});
    m_builtInLabels.insert(FieldId::NameOrdering,
        {u"System Default (%1)"_s.arg(u"LastName"_s), u"First Name First"_s, u"Last Name First"_s});
}

FieldVocabulary::LabelTable FieldVocabulary::builtInLocalizedLabels() const
{
    LabelTable table;
    for (const QString &identifier :
        {FieldId::Email, FieldId::Phone, FieldId::Address, FieldId::URL, FieldId::Relationship, FieldId::Dates,
            FieldId::SocialNetwork, FieldId::InstantMessage, FieldId::ShowAsPerson, FieldId::NameOrdering}) {
        const QStringList &labels = m_builtInLabels.value(identifier);
        QStringList localized;
        localized.reserve(labels.size());
        for (const QString &label : labels)
            localized.append(ContactLabels::localizedStringForLabel(CNLabelFromLabel(label)));
        table.insert(identifier, std::make_shared<const QStringList>(std::move(localized)));
    }
    return table;
}

QString FieldVocabulary::typeForIdentifier(const ContactIdentifier &identifier) const
{
    if (m_labeledIdentifiers.contains(identifier))
        return FieldKind::LabeledValue;
    if (m_stringIdentifiers.contains(identifier))
        return FieldKind::StringValue;
    if (identifier == FieldId::Birthday || identifier == FieldId::Name || identifier == FieldId::PhoneticName)
        return FieldKind::DictionaryValue;
    return {};
}

QString FieldVocabulary::localizedIdentifierForKey(const ContactIdentifier &identifier)
{
    static const QHash<QString, QString> postalKeys{
        {FieldId::ZIP, ContactKeys::postalAddressPostalCode},
        {FieldId::State, ContactKeys::postalAddressState},
        {FieldId::City, ContactKeys::postalAddressCity},
        {FieldId::Street, ContactKeys::postalAddressStreet},
        {FieldId::Country, ContactKeys::postalAddressCountry},
    };
    const QString storeKey = shared().CNIdentifiers().value(identifier, postalKeys.value(identifier));
    if (!storeKey.isEmpty())
        return ContactKeys::localizedStringForKey(storeKey);
    return QCoreApplication::translate("MVPerson", identifier.toUtf8().constData());
}

QStringList FieldVocabulary::labelsForIdentifier(const ContactIdentifier &identifier) const
{
    const auto builtIn = m_builtInLabels.constFind(identifier);
    if (builtIn == m_builtInLabels.cend())
        return {};
    QStringList labels = *builtIn;
    if (const LabelList custom = labelTables()->custom.value(identifier))
        labels.append(*custom);
    return labels;
}

FieldVocabulary::LabelList FieldVocabulary::customLabelsForIdentifier(const ContactIdentifier &identifier) const
{
    return labelTables()->custom.value(identifier);
}

QHash<QString, QStringList> FieldVocabulary::labelTableDict() const
{
    QHash<QString, QStringList> table;
    for (auto it = m_builtInLabels.cbegin(); it != m_builtInLabels.cend(); ++it)
        table.insert(it.key(), labelsForIdentifier(it.key()));
    return table;
}

QStringList FieldVocabulary::localizedLabelsForIdentifier(const ContactIdentifier &identifier) const
{
    const LabelList localized = labelTables()->localized.value(identifier);
    return localized ? *localized : QStringList();
}

bool FieldVocabulary::setLabel(const QString &oldLabel, const QString &newLabel, const ContactIdentifier &identifier)
{
    if (m_builtInLabels.value(identifier).contains(newLabel))
        return false;
    // The table rows register every label they meet, nearly always one
    // already known: those calls only read.
    LabelTables tables = *labelTables();
    if (!changeLabel(tables, oldLabel, newLabel, identifier))
        return false;
    const std::lock_guard lock(m_writeMutex);
    // Another writer may have swapped the tables in the meantime: change the
    // tables as they stand now.
    tables = *labelTables();
    if (!changeLabel(tables, oldLabel, newLabel, identifier))
        return false;
    swapInLabelTables(std::move(tables));
    return true;
}

bool FieldVocabulary::changeLabel(
    LabelTables &tables, const QString &oldLabel, const QString &newLabel, const ContactIdentifier &identifier) const
{
    const LabelList oldCustom = tables.custom.value(identifier);
    const LabelList oldLocalized = tables.localized.value(identifier);
    QStringList custom = oldCustom ? *oldCustom : QStringList();
    QStringList localized = oldLocalized ? *oldLocalized : QStringList();

    // The display texts of custom labels follow those of the built-in ones;
    // a built-in text equal to a custom label must not be renamed with it.
    const qsizetype customStart = m_builtInLabels.value(identifier).size();
    const qsizetype position = custom.indexOf(oldLabel);
    if (position >= 0) {
        if (newLabel.isEmpty()) {
            custom.removeAll(oldLabel);
            for (qsizetype i = localized.size() - 1; i >= customStart; --i) {
                if (localized.at(i) == oldLabel)
                    localized.removeAt(i);
            }
        } else {
            custom[position] = newLabel;
            const qsizetype localizedPosition = localized.indexOf(oldLabel, customStart);
            if (localizedPosition >= 0)
                localized[localizedPosition] = newLabel;
        }
    } else if (newLabel.isEmpty() || custom.contains(newLabel)) {
        return false;
    } else {
        custom.append(newLabel);
        localized.append(newLabel);
    }
    tables.custom.insert(identifier, std::make_shared<const QStringList>(std::move(custom)));
    tables.localized.insert(identifier, std::make_shared<const QStringList>(std::move(localized)));
    return true;
}

void FieldVocabulary::removeAllCustomLabels()
{
    const std::lock_guard lock(m_writeMutex);
    swapInLabelTables({{}, builtInLocalizedLabels()});
}

QString FieldVocabulary::labelFromCNLabel(const QString &storeLabel)
{
    // The store's reader hands the labels of a file out as a few shared
    // texts, and every value read asks for its word: the words of the last
    // few texts are known by where the text lies. The text is held with its
    // word, so its room cannot hold another text meanwhile; a text without
    // room of its own (raw data) is not kept, as its room is not held.
    struct Known {
        QString label;
        QString word;
    };
    thread_local std::array<Known, 4> recent;
    thread_local std::size_t next = 0;
    for (const Known &known : recent) {
        if (known.label.capacity() != 0 && known.label.constData() == storeLabel.constData()
            && known.label.size() == storeLabel.size())
            return known.word;
    }
    QString word = wordOfLabel(storeLabel);
    if (storeLabel.capacity() != 0) {
        recent[next] = {storeLabel, word};
        next = (next + 1) % recent.size();
    }
    return word;
}

QString FieldVocabulary::CNLabelFromLabel(const QString &label)
{
    // "No label" is only how an unlabeled value reads; writing it back would
    // give the value a label its owner never chose.
    if (label == noLabel)
        return {};
    for (const auto &[store, word] : labelWords()) {
        if (label == word)
            return store;
    }
    return label;
}

QString FieldVocabulary::localizedLabelFromCNLabel(const QString &storeLabel)
{
    // "No label" goes to the store as no label at all; shown again, it must
    // read "No label", not an empty pop-up (a locked window's label pop-ups).
    if (storeLabel.isEmpty())
        return noLabel;
    return ContactLabels::localizedStringForLabel(storeLabel);
}
