#include "interchange/MVvCard.h"

#include "interchange/VCardOwnProperties_p.h"
#include "model/ContactPrefetch.h"
#include "model/MVPerson.h"
#include "model/UniqueId.h"
#include "platform/contacts/vcard/ContactVCardSerialization.h"

#include <QBuffer>
#include <QHash>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The system's own properties, each added only to a card that has no line of
// it yet.
enum OwnProperty : quint32 { Note = 1, Renmei = 2, HagakiLayouts = 4, Photo = 8, Categories = 16 };

// The export options as bits, read once for all the cards of an export.
struct WrittenProperties {
    explicit WrittenProperties(const vCardExportOptions &options)
        : note(options.contains(vCardExportOption::Note))
        , photo(options.contains(vCardExportOption::Photo))
        , renmei(options.contains(vCardExportOption::Renmei))
        , layouts(options.contains(vCardExportOption::HagakiLayout))
    {
    }
    bool note = false;
    bool photo = false;
    bool renmei = false;
    bool layouts = false;
};

// One card written at the end of the export's UTF-8 text: the store's card
// as its writer writes it, then the own properties moved in before its
// END:VCARD line, each a content line folded as the store's writer folds its
// own. The store's writer writes none of the own properties, so a card has
// none until one is added; each one added counts as present from then on.
class CardWriter {
public:
    // line: room for the property lines being made, kept from card to card.
    CardWriter(std::string &out, std::string &line, const StoreContact &contact)
        : m_out(out)
        , m_line(line)
    {
        const std::size_t start = out.size();
        ContactVCardSerialization::appendCard(out, contact);
        const std::string_view card = std::string_view(out).substr(start);
        // What is added goes in just before END:VCARD, so only into a card that has the line.
        const std::size_t end = VCardOwnProperties::endLine(card);
        if (end == std::string_view::npos || end == 0)
            return;
        m_tail.assign(card.substr(end));
        m_takesLines = true;
        out.resize(start + end);
    }
    ~CardWriter() { m_out.append(m_tail); }
    CardWriter(const CardWriter &) = delete;
    CardWriter &operator=(const CardWriter &) = delete;

    // Whether a property can be added: the card has an END:VCARD line and no line of it.
    [[nodiscard]] bool takes(OwnProperty property) const { return m_takesLines && (m_present & property) == 0; }
    // A line the caller builds in line(), then adds.
    [[nodiscard]] std::string &line(std::string_view name)
    {
        m_line.assign(name);
        return m_line;
    }
    void add(OwnProperty property)
    {
        ContactVCardSerialization::appendFoldedLine(m_out, m_line);
        m_present |= property;
    }
    // A further line of the property just added, starting with its space
    // (X-HAGAKILAYOUTS), folded as a line of its own.
    void addContinuation(std::string_view line) { ContactVCardSerialization::appendFoldedLine(m_out, line); }

private:
    std::string &m_out;
    std::string &m_line;
    std::string m_tail; // the END:VCARD line and what follows it
    bool m_takesLines = false;
    quint32 m_present = 0;
};

void addNote(CardWriter &card, MVPerson &person)
{
    const QString note = person.stringValues()->value(FieldId::Note);
    if (note.isEmpty() || !card.takes(Note))
        return;
    ContactVCardSerialization::appendEscapedText(card.line("NOTE:"), note);
    card.add(Note);
}

void addRenmei(CardWriter &card, MVPerson &person)
{
    const QString names = person.stringValues()->value(FieldId::Renmei);
    if (names.isEmpty() || !card.takes(Renmei))
        return;
    ContactVCardSerialization::appendText(card.line("X-RENMEI:"), VCardOwnProperties::escapeRenmei(names));
    card.add(Renmei);
}

// One layout per address: the first on the property line, each further one
// on a continuation line of its own.
void addHagakiLayouts(CardWriter &card, MVPerson &person)
{
    // Only the layouts are read: the held list spares formatting the addresses.
    LabeledValueListPtr addresses = person.heldLabeledValues(FieldId::Address);
    if (!addresses)
        addresses = person.labeledValues(FieldId::Address);
    if (!addresses || addresses->isEmpty() || !card.takes(HagakiLayouts))
        return;
    bool first = true;
    std::string layout;
    for (const LabeledValueRecordPtr &address : std::as_const(*addresses)) {
        const QString text = person.layoutStringFromHagakiLayoutDict(&*std::as_const(address->layout));
        if (text.isEmpty())
            continue;
        if (first) {
            ContactVCardSerialization::appendText(card.line("X-HAGAKILAYOUTS:"), text);
            card.add(HagakiLayouts);
            first = false;
        } else {
            layout.assign(1, ' ');
            ContactVCardSerialization::appendText(layout, text);
            card.addContinuation(layout);
        }
    }
}

// Whether the held bytes are the JPEG the photo was decoded from: a broken
// one that the thumbnail stood in for is not.
bool photoIsHeldJpeg(const QByteArray &held, const QImage &photo)
{
    QBuffer buffer;
    buffer.setData(held);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return reader.format() == "jpeg" && reader.size() == photo.size();
}

// A JPEG photo goes out as its own bytes, so that a round trip loses nothing
// to another encoding; any other is converted.
void addPhoto(CardWriter &card, MVPerson &person)
{
    if (!card.takes(Photo))
        return;
    const QImage image = person.photo();
    if (image.isNull())
        return;
    const QByteArray jpeg
        = photoIsHeldJpeg(person.imageData(), image) ? person.imageData() : MVvCard::jpegDataFromImage(image);
    if (jpeg.isEmpty())
        return;
    card.line("PHOTO;ENCODING=b;TYPE=JPEG:").append(jpeg.toBase64().constData());
    card.add(Photo);
}

// The value of CATEGORIES: the names escaped and joined by commas, empty
// names left out.
std::string categoriesValue(const QStringList &groupNames)
{
    std::string value;
    for (const QString &name : groupNames) {
        if (name.isEmpty())
            continue;
        if (!value.empty())
            value.push_back(',');
        ContactVCardSerialization::appendEscapedText(value, name);
    }
    return value;
}

void addCategories(CardWriter &card, std::string_view value)
{
    if (value.empty() || !card.takes(Categories))
        return;
    card.line("CATEGORIES:").append(value);
    card.add(Categories);
}

// A person's card, with the own properties the options ask for. A contact
// row's card puts its photo after the note and has no categories.
void appendCardOfPerson(std::string &out, std::string &line, MVPerson &person, const WrittenProperties &written,
    std::string_view categories, bool fromContactRow)
{
    // The person's vCardData, written straight into the export.
    CardWriter card(out, line, person.contactForVCard());
    if (written.note)
        addNote(card, person);
    if (fromContactRow && written.photo)
        addPhoto(card, person);
    if (written.renmei)
        addRenmei(card, person);
    if (written.layouts)
        addHagakiLayouts(card, person);
    if (!fromContactRow) {
        // The guest picture written for a contact without one would come
        // back from an import as that contact's own photo.
        if (written.photo)
            addPhoto(card, person);
        addCategories(card, categories);
    }
}

QString textOf(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// The CATEGORIES value of each contact of an export: the names of the
// container's groups, other than its top group, that hold a row with the
// contact's identifier, in the groups' order. Made in one pass over the
// contacts and one over the groups' members for the whole export, so that a
// contact's value is at hand instead of a scan of every member of every
// group. Contacts in the same groups share one value: each value is the one
// before it with one more group.
class CategoriesOfContacts {
public:
    CategoriesOfContacts(const ContainerRecordPtr &container, const ContactTable &contacts)
    {
        if (!container || !container->groups)
            return;
        m_values.emplace_back();
        m_entryOfContact.resize(std::size_t(contacts.size()), noEntry);
        m_byRecord.reserve(contacts.size());
        m_byIdentifier.reserve(contacts.size());
        for (qsizetype i = 0; i < contacts.size(); ++i) {
            if (const ContactRecordPtr &contact = contacts.at(i)) {
                m_entryOfContact[std::size_t(i)] = entryOf(contact->uniqueId);
                m_byRecord.insert(contact.get(), m_entryOfContact[std::size_t(i)]);
            }
        }
        const GroupList &groups = *container->groups;
        for (qsizetype index = 0; index < groups.size(); ++index) {
            const GroupRecordPtr &group = groups.at(index);
            if (!group || group->top || !group->contactTable || group->name.isEmpty())
                continue;
            std::string name;
            ContactVCardSerialization::appendEscapedText(name, group->name);
            for (const ContactRecordPtr &member : std::as_const(*group->contactTable)) {
                const std::size_t found = member ? exportedEntry(*member) : noEntry;
                // A member not exported names nothing; one listed twice in a group names it once.
                if (found == noEntry || m_entries[found].lastGroup == index)
                    continue;
                Entry &entry = m_entries[found];
                entry.lastGroup = index;
                entry.value = valueWithGroup(entry.value, index, name);
            }
        }
    }

    [[nodiscard]] std::string_view valueOf(qsizetype contact) const
    {
        if (std::size_t(contact) >= m_entryOfContact.size() || m_entryOfContact[std::size_t(contact)] == noEntry)
            return {};
        return m_values[m_entries[m_entryOfContact[std::size_t(contact)]].value];
    }

private:
    static constexpr std::size_t noEntry = std::size_t(-1);
    struct Entry {
        qsizetype lastGroup = -1;
        std::size_t value = 0; // in m_values; 0 is the empty value
    };

    // The entry of an exported contact's identifier, made when it is new.
    std::size_t entryOf(const UniqueId &identifier)
    {
        if (const auto known = m_byIdentifier.constFind(identifier); known != m_byIdentifier.cend())
            return *known;
        m_entries.emplace_back();
        m_byIdentifier.insert(identifier, m_entries.size() - 1);
        return m_entries.size() - 1;
    }

    // A member row is mostly the very record exported: found by its address,
    // it is not read at all, which spares a wait for memory per member of a
    // large group. A row of its own is found by its identifier.
    [[nodiscard]] std::size_t exportedEntry(const ContactRecord &member) const
    {
        if (const auto known = m_byRecord.constFind(&member); known != m_byRecord.cend())
            return *known;
        const auto equal = m_byIdentifier.constFind(member.uniqueId);
        return equal == m_byIdentifier.cend() ? noEntry : *equal;
    }

    std::size_t valueWithGroup(std::size_t value, qsizetype group, const std::string &name)
    {
        const auto [found, made] = m_nextValue.try_emplace({value, group}, m_values.size());
        if (made) {
            std::string next = m_values[value];
            if (!next.empty())
                next.push_back(',');
            next.append(name);
            m_values.push_back(std::move(next));
        }
        return found->second;
    }

    std::vector<Entry> m_entries;
    std::vector<std::size_t> m_entryOfContact;
    QHash<UniqueId, std::size_t> m_byIdentifier;
    QHash<const ContactRecord *, std::size_t> m_byRecord;
    std::vector<std::string> m_values;
    std::map<std::pair<std::size_t, qsizetype>, std::size_t> m_nextValue;
};

// Asks the processor ahead for the memory of the contacts still to be
// written: the rows and persons of a large table lie far apart, and waiting
// for each to arrive was a tenth of the time of writing 10,000 cards. The row
// two ahead and the person one ahead are fetched while this card is written.
Q_ALWAYS_INLINE void prefetchContacts(const ContactTable &contacts, qsizetype current)
{
    if (current + 2 < contacts.size())
        ContactPrefetch::line(contacts.at(current + 2).get());
    if (current + 1 < contacts.size()) {
        if (const ContactRecordPtr &next = contacts.at(current + 1))
            ContactPrefetch::whole(next->person.get());
    }
}

// Room for a whole export at once, from the size of its first card: growing
// a text of many megabytes step by step copies it again at each step.
void reserveForCards(std::string &out, qsizetype cardCount)
{
    if (cardCount > 1 && !out.empty() && out.capacity() < out.size() * std::size_t(cardCount))
        out.reserve(out.size() * std::size_t(cardCount) + out.size() * std::size_t(cardCount) / 8);
}

} // namespace

QString MVvCard::vCardFromPerson(
    const MVPersonPtr &person, const vCardExportOptions &options, const QStringList &groupNames) const
{
    if (!person)
        return {};
    std::string card;
    std::string line;
    appendCardOfPerson(card, line, *person, WrittenProperties(options), categoriesValue(groupNames), false);
    return textOf(card);
}

QString MVvCard::vCardFromContact(const ContactRecordPtr &contact, const vCardExportOptions &options) const
{
    if (!contact || !contact->person)
        return {};
    std::string card;
    std::string line;
    appendCardOfPerson(card, line, *contact->person, WrittenProperties(options), {}, true);
    return textOf(card);
}

std::optional<QString> MVvCard::vCardsFromContacts(const ContactTablePtr &contacts, const vCardExportOptions &options,
    const ContainerRecordPtr &containerDict, const vCardProgressHandler &progressHandler) const
{
    if (!contacts)
        return std::nullopt;
    const WrittenProperties written(options);
    const CategoriesOfContacts categories(containerDict, *contacts);
    std::string cards;
    std::string line;
    for (qsizetype i = 0; i < contacts->size(); ++i) {
        const ContactRecordPtr &contact = contacts->at(i);
        prefetchContacts(*contacts, i);
        if (contact && contact->person)
            appendCardOfPerson(cards, line, *contact->person, written, categories.valueOf(i), false);
        if (i == 0)
            reserveForCards(cards, contacts->size());
        if (progressHandler) {
            bool stop = false;
            progressHandler(&stop, quint64(i));
            if (stop)
                return std::nullopt;
        }
    }
    return textOf(cards);
}

std::optional<QString> MVvCard::vCardsFromContacts(
    const ContactTablePtr &contacts, const vCardExportOptions &options, const ContainerRecordPtr &containerDict) const
{
    return vCardsFromContacts(contacts, options, containerDict, nullptr);
}

QString MVvCard::vCardsFromContacts(
    const ContactTable &contacts, const vCardExportOptions &options, int /*progress*/) const
{
    const WrittenProperties written(options);
    std::string cards;
    std::string line;
    for (qsizetype i = 0; i < contacts.size(); ++i) {
        prefetchContacts(contacts, i);
        if (const ContactRecordPtr &contact = contacts.at(i); contact && contact->person)
            appendCardOfPerson(cards, line, *contact->person, written, {}, true);
        if (i == 0)
            reserveForCards(cards, contacts.size());
    }
    return textOf(cards);
}

QByteArray MVvCard::jpegDataFromImage(const QImage &image)
{
    if (image.isNull())
        return {};
    // JPEG has no transparency: what shows through is white, not black.
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    {
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
    }
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    if (!writer.write(opaque)) {
        qWarning("%s: ERROR %s", Q_FUNC_INFO, qUtf8Printable(writer.errorString()));
        return {};
    }
    return data;
}
