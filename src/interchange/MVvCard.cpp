#include "interchange/MVvCard.h"

#include "interchange/VCardOwnProperties_p.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace {

// Inserts a property line directly before the card's END:VCARD line, so that
// properties inserted one after another stand in that order.
void insertBeforeEnd(QString &card, const QString &property)
{
    const qsizetype anchor = VCardOwnProperties::endLine(card);
    if (anchor > 0)
        card.insert(anchor, property);
}

void insertNote(QString &card, const MVPersonPtr &person)
{
    const QString note = person->stringValueForIdentifier(FieldId::Note, 0);
    if (note.isEmpty() || VCardOwnProperties::hasProperty(card, u"NOTE"))
        return;
    insertBeforeEnd(card, u"NOTE:"_s + VCardOwnProperties::escapeText(note) + u"\r\n"_s);
}

void insertRenmei(QString &card, const MVPersonPtr &person)
{
    const QString names = person->stringValueForIdentifier(FieldId::Renmei, 0);
    if (names.isEmpty() || VCardOwnProperties::hasProperty(card, u"X-RENMEI"))
        return;
    insertBeforeEnd(card, u"X-RENMEI:"_s + VCardOwnProperties::escapeRenmei(names) + u"\r\n"_s);
}

// One layout per address: the first on the property line, each further one
// on a continuation line of its own, never folded.
void insertHagakiLayouts(QString &card, const MVPersonPtr &person)
{
    // Only the layouts are read: the held list spares formatting the addresses.
    LabeledValueListPtr addresses = person->heldLabeledValues(FieldId::Address);
    if (!addresses)
        addresses = person->labeledValues(FieldId::Address);
    if (!addresses || addresses->isEmpty() || VCardOwnProperties::hasProperty(card, u"X-HAGAKILAYOUTS"))
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
        insertBeforeEnd(card, property);
    }
}

void insertPhoto(QString &card, const QImage &image)
{
    if (image.isNull() || VCardOwnProperties::hasProperty(card, u"PHOTO"))
        return;
    const QString property = MVvCard::encodeVCardPhoto(image);
    if (!property.isEmpty())
        insertBeforeEnd(card, property);
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

void insertCategories(QString &card, const QStringList &groupNames)
{
    const QString names = escapedCategories(groupNames);
    if (names.isEmpty() || VCardOwnProperties::hasProperty(card, u"CATEGORIES"))
        return;
    insertBeforeEnd(card, u"CATEGORIES:"_s + names + u"\r\n"_s);
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

}  // namespace

QString MVvCard::vCardOfPerson(const MVPersonPtr &person, const vCardExportOptions &options,
                               const QStringList &groupNames, bool fromContactRow) const
{
    if (!person)
        return {};
    const QByteArray data = person->vCardData();
    if (data.isEmpty())
        return {};
    QString card = QString::fromUtf8(data);
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
    return card;
}

QString MVvCard::vCardFromPerson(const MVPersonPtr &person, const vCardExportOptions &options,
                                 const QStringList &groupNames) const
{
    return vCardOfPerson(person, options, groupNames, false);
}

QString MVvCard::vCardFromContact(const ContactRecordPtr &contact, const vCardExportOptions &options) const
{
    if (!contact)
        return {};
    return vCardOfPerson(contact->person, options, {}, true);
}

std::optional<QString> MVvCard::vCardsFromContacts(const ContactTablePtr &contacts, const vCardExportOptions &options,
                                                   const ContainerRecordPtr &containerDict,
                                                   const vCardProgressHandler &progressHandler) const
{
    if (!contacts)
        return std::nullopt;
    QString cards;
    for (qsizetype i = 0; i < contacts->size(); ++i) {
        const ContactRecordPtr &contact = contacts->at(i);
        if (contact) {
            cards.append(vCardFromPerson(contact->person, options, groupNamesOfContact(*contact, containerDict)));
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

std::optional<QString> MVvCard::vCardsFromContacts(const ContactTablePtr &contacts, const vCardExportOptions &options,
                                                   const ContainerRecordPtr &containerDict) const
{
    return vCardsFromContacts(contacts, options, containerDict, nullptr);
}

QString MVvCard::vCardsFromContacts(const ContactTable &contacts, const vCardExportOptions &options,
                                    int /*progress*/) const
{
    QString cards;
    for (const ContactRecordPtr &contact : contacts)
        cards.append(vCardFromContact(contact, options));
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
