#include "interchange/MVvCard.h"

#include "interchange/VCardOwnProperties_p.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QStringDecoder>

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

// The system's own properties, each added only to a card that has no line of
// it yet; the bits of OwnProperty follow this order.
constexpr std::array<QStringView, 5> ownPropertyNames{
    u"NOTE", u"X-RENMEI", u"X-HAGAKILAYOUTS", u"PHOTO", u"CATEGORIES"};
enum OwnProperty : quint32 { Note = 1, Renmei = 2, HagakiLayouts = 4, Photo = 8, Categories = 16 };

// A card being completed at the end of out, with the own properties it has
// lines of: found in the store's card once, then in each property inserted,
// instead of searching the whole card again before each insertion. Cards of
// an export are written one after another into the one text.
struct Card {
    Card(QString &out, QByteArrayView data)
        : text(out)
        , start(out.size())
    {
        // A UTF-8 text never has more UTF-16 units than octets.
        text.resize(start + data.size());
        QStringDecoder decoder(
            QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        const QChar *end = decoder.appendToBuffer(text.data() + start, data);
        text.truncate(end - text.constData());
        present = VCardOwnProperties::propertiesWithLines(card(), ownPropertyNames);
    }

    [[nodiscard]] QStringView card() const { return QStringView(text).sliced(start); }
    [[nodiscard]] bool has(OwnProperty property) const { return (present & property) != 0; }

    // Inserts a property line directly before the card's END:VCARD line, so
    // that properties inserted one after another stand in that order. What
    // is inserted ends with a line end and the END:VCARD line still starts
    // one, so the lines of the card are those it had and those inserted.
    void insertBeforeEnd(const QString &property)
    {
        const qsizetype anchor = VCardOwnProperties::endLine(card());
        if (anchor <= 0)
            return;
        text.insert(start + anchor, property);
        present |= VCardOwnProperties::propertiesWithLines(property, ownPropertyNames);
    }

    QString &text;
    qsizetype start = 0;
    quint32 present = 0;
};

void insertNote(Card &card, const MVPersonPtr &person)
{
    const QString note = person->stringValueForIdentifier(FieldId::Note, 0);
    if (note.isEmpty() || card.has(Note))
        return;
    card.insertBeforeEnd(u"NOTE:"_s + VCardOwnProperties::escapeText(note) + u"\r\n"_s);
}

void insertRenmei(Card &card, const MVPersonPtr &person)
{
    const QString names = person->stringValueForIdentifier(FieldId::Renmei, 0);
    if (names.isEmpty() || card.has(Renmei))
        return;
    card.insertBeforeEnd(u"X-RENMEI:"_s + VCardOwnProperties::escapeRenmei(names) + u"\r\n"_s);
}

// One layout per address: the first on the property line, each further one
// on a continuation line of its own, never folded.
void insertHagakiLayouts(Card &card, const MVPersonPtr &person)
{
    // Only the layouts are read: the held list spares formatting the addresses.
    LabeledValueListPtr addresses = person->heldLabeledValues(FieldId::Address);
    if (!addresses)
        addresses = person->labeledValues(FieldId::Address);
    if (!addresses || addresses->isEmpty() || card.has(HagakiLayouts))
        return;
    QString property = u"X-HAGAKILAYOUTS:"_s;
    for (const LabeledValueRecordPtr &address : *addresses) {
        const QString layout = person->layoutStringFromHagakiLayoutDict(&address->layout);
        if (layout.isEmpty())
            continue;
        property.append(layout);
        property.append(u"\r\n "_s);
    }
    if (property.size() > 16 && property.endsWith(u' ')) {
        property.chop(1);
        card.insertBeforeEnd(property);
    }
}

void insertPhoto(Card &card, const QImage &image)
{
    if (image.isNull() || card.has(Photo))
        return;
    const QString property = MVvCard::encodeVCardPhoto(image);
    if (!property.isEmpty())
        card.insertBeforeEnd(property);
}

QString escapedCategories(const QStringList &groupNames)
{
    QStringList names;
    for (const QString &name : groupNames) {
        if (!name.isEmpty())
            names.append(VCardOwnProperties::escapeText(name));
    }
    return names.join(u',');
}

void insertCategories(Card &card, const QStringList &groupNames)
{
    const QString names = escapedCategories(groupNames);
    if (names.isEmpty() || card.has(Categories))
        return;
    card.insertBeforeEnd(u"CATEGORIES:"_s + names + u"\r\n"_s);
}

// The names of the container's groups, other than its top group, that hold
// a row of the contact.
QStringList groupNamesOfContact(const ContactRecord &contact, const ContainerRecordPtr &container)
{
    QStringList names;
    if (!container || !container->groups)
        return names;
    for (const GroupRecordPtr &group : std::as_const(*container->groups)) {
        if (!group || group->top || !group->contactTable)
            continue;
        for (const ContactRecordPtr &member : std::as_const(*group->contactTable)) {
            if (member && member->uniqueId == contact.uniqueId) {
                names.append(group->name);
                break;
            }
        }
    }
    return names;
}

// Asks the processor ahead for the memory of the contacts still to be
// written: the rows and persons of a large table lie far apart, and waiting
// for each to arrive was a tenth of the time of writing 10,000 cards. The row
// two ahead and the person one ahead are fetched while this card is written.
Q_ALWAYS_INLINE void prefetchContacts(const ContactTable &contacts, qsizetype current)
{
#if defined(__GNUC__)
    constexpr std::size_t cacheLine = 64;
    if (current + 2 < contacts.size())
        __builtin_prefetch(contacts.at(current + 2).get());
    if (current + 1 < contacts.size()) {
        const ContactRecordPtr &next = contacts.at(current + 1);
        if (next && next->person) {
            const char *person = reinterpret_cast<const char *>(next->person.get());
            for (std::size_t offset = 0; offset < sizeof(MVPerson); offset += cacheLine)
                __builtin_prefetch(person + offset);
        }
    }
#else
    Q_UNUSED(contacts);
    Q_UNUSED(current);
#endif
}

} // namespace

void MVvCard::appendVCardOfPerson(QString &out, const MVPersonPtr &person, const vCardExportOptions &options,
    const QStringList &groupNames, bool fromContactRow) const
{
    if (!person)
        return;
    const QByteArray data = person->vCardData();
    if (data.isEmpty())
        return;
    Card card(out, data);
    if (options.contains(vCardExportOption::Note))
        insertNote(card, person);
    if (fromContactRow) {
        if (options.contains(vCardExportOption::Photo))
            insertPhoto(card, person->photo());
    }
    if (options.contains(vCardExportOption::Renmei))
        insertRenmei(card, person);
    if (options.contains(vCardExportOption::HagakiLayout))
        insertHagakiLayouts(card, person);
    if (!fromContactRow) {
        if (options.contains(vCardExportOption::Photo)) {
            const QImage photo = person->photo();
            insertPhoto(card, photo.isNull() ? person->thumbnail() : photo);
        }
        insertCategories(card, groupNames);
    }
}

QString MVvCard::vCardFromPerson(
    const MVPersonPtr &person, const vCardExportOptions &options, const QStringList &groupNames) const
{
    QString card;
    appendVCardOfPerson(card, person, options, groupNames, false);
    return card;
}

QString MVvCard::vCardFromContact(const ContactRecordPtr &contact, const vCardExportOptions &options) const
{
    if (!contact)
        return {};
    QString card;
    appendVCardOfPerson(card, contact->person, options, {}, true);
    return card;
}

std::optional<QString> MVvCard::vCardsFromContacts(const ContactTablePtr &contacts, const vCardExportOptions &options,
    const ContainerRecordPtr &containerDict, const vCardProgressHandler &progressHandler) const
{
    if (!contacts)
        return std::nullopt;
    QString cards;
    for (qsizetype i = 0; i < contacts->size(); ++i) {
        const ContactRecordPtr &contact = contacts->at(i);
        prefetchContacts(*contacts, i);
        if (contact) {
            appendVCardOfPerson(cards, contact->person, options, groupNamesOfContact(*contact, containerDict), false);
        }
        if (progressHandler) {
            bool stop = false;
            progressHandler(&stop, quint64(i));
            if (stop)
                return std::nullopt;
        }
    }
    return cards;
}

std::optional<QString> MVvCard::vCardsFromContacts(
    const ContactTablePtr &contacts, const vCardExportOptions &options, const ContainerRecordPtr &containerDict) const
{
    return vCardsFromContacts(contacts, options, containerDict, nullptr);
}

QString MVvCard::vCardsFromContacts(
    const ContactTable &contacts, const vCardExportOptions &options, int /*progress*/) const
{
    QString cards;
    for (qsizetype i = 0; i < contacts.size(); ++i) {
        prefetchContacts(contacts, i);
        if (const ContactRecordPtr &contact = contacts.at(i))
            appendVCardOfPerson(cards, contact->person, options, {}, true);
    }
    return cards;
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

QString MVvCard::encodeVCardPhoto(const QImage &image)
{
    const QByteArray jpeg = jpegDataFromImage(image);
    if (jpeg.isEmpty())
        return {};
    return VCardOwnProperties::foldedPhoto(jpeg.toBase64());
}
