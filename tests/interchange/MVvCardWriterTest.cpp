#include "InterchangeTestContacts.h"

#include "interchange/MVvCard.h"
#include "model/ContactIdentifier.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;
using namespace InterchangeTestContacts;

namespace {

const vCardExportOptions allOptions{u"Note"_s, u"Photo"_s, u"Renmei"_s, u"HagakiLayout"_s, u"Categories"_s};

// The own properties of the card and its end, in order.
QStringList ownProperties(const QString &card)
{
    static const QRegularExpression own(
        u"^(NOTE|X-RENMEI|X-HAGAKILAYOUTS|PHOTO|CATEGORIES|END)[:;]"_s, QRegularExpression::MultilineOption);
    QStringList names;
    for (QRegularExpressionMatchIterator match = own.globalMatch(card); match.hasNext();)
        names.append(match.next().captured(1));
    return names;
}

// The note is escaped as vCard 3.0 text; layouts stand one address a line.
TEST(MVvCardWriter, PersonCardPutsOwnPropertiesBeforeEndInItsOrder)
{
    const QString card = MVvCard().vCardFromPerson(fullPerson(), allOptions, {u"Friends"_s, u"Golf, Club"_s});
    EXPECT_EQ(ownProperties(card),
        (QStringList{u"NOTE"_s, u"X-RENMEI"_s, u"X-HAGAKILAYOUTS"_s, u"PHOTO"_s, u"CATEGORIES"_s, u"END"_s}));
    EXPECT_TRUE(card.startsWith(u"BEGIN:VCARD\r\n"_s));
    for (const QString &lines :
        {u"\r\nNOTE:C:\\\\notes\\\\n\\, first line\\nsecond\\; \"line\"\r\n"_s,
            u"\r\nX-RENMEI:山田花子\\n山田一郎\r\nX-HAGAKILAYOUTS:5;ra:{{10.00,20.00},{30.00,40.00}};\r\n"
            u" 2;rn:{{1.50,2.25},{100.00,50.00}};sn:{{5.00,6.00},{7.00,8.00}};\r\n 7;\r\nPHOTO;ENCODING=b;TYPE=JPEG:"_s,
            u"\r\nCATEGORIES:Friends,Golf\\, Club\r\nEND:VCARD\r\n"_s})
        EXPECT_TRUE(card.contains(lines)) << qPrintable(lines) << qPrintable(card);
    // A row's card puts the photo before the joint names; each property needs its option.
    EXPECT_EQ(ownProperties(MVvCard().vCardFromContact(contactOf(fullPerson()), allOptions)),
        (QStringList{u"NOTE"_s, u"PHOTO"_s, u"X-RENMEI"_s, u"X-HAGAKILAYOUTS"_s, u"END"_s}));
    EXPECT_EQ(ownProperties(MVvCard().vCardFromPerson(fullPerson(), {u"note"_s, u"Categories"_s}, {})),
        QStringList{u"END"_s});
    // A contact without a picture of its own gets none: the guest picture
    // would come back from an import as its photo.
    const MVPersonPtr person = personWithLabel(u"home"_s, u"Ann"_s);
    EXPECT_FALSE(MVvCard().vCardFromPerson(person, {u"Photo"_s}, {}).contains(u"PHOTO"_s));
    EXPECT_FALSE(MVvCard().vCardFromContact(contactOf(person), {u"Photo"_s}).contains(u"PHOTO"_s));
}

TEST(MVvCardWriter, TransparentPhotoIsWhiteInItsJpeg)
{
    QImage clear(8, 8, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    QImage white;
    ASSERT_TRUE(white.loadFromData(MVvCard::jpegDataFromImage(clear), "JPEG"));
    EXPECT_GT(qRed(white.pixel(4, 4)), 240);
}

// The PHOTO value of a card, decoded.
QByteArray photoBytes(const QString &card)
{
    static const QRegularExpression photo(u"\r\nPHOTO;ENCODING=b;TYPE=JPEG:([^\r]*(\r\n [^\r]*)*)"_s);
    return QByteArray::fromBase64(photo.match(card).captured(1).remove(u"\r\n "_s).toLatin1());
}

struct PhotoRow {
    const char *name;
    const char *format;
    bool keepsBytes;
};

class PhotoExport : public testing::TestWithParam<PhotoRow> { };

// A JPEG photo goes out and comes back byte for byte, however often; any
// other kind is written as JPEG.
TEST_P(PhotoExport, JpegKeepsItsBytes)
{
    QImage picture(16, 12, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 16, y * 20, 128));
    }
    QByteArray held;
    QBuffer buffer(&held);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(picture.save(&buffer, GetParam().format, 70));
    const MVPersonPtr person = personWithLabel(u"home"_s, u"Ann"_s);
    person->setImageData(held);

    const MVvCard converter;
    QString card = converter.vCardFromPerson(person, {u"Photo"_s}, {});
    for (int trip = 0; trip < 2; ++trip) {
        const QByteArray written = photoBytes(card);
        EXPECT_EQ(written == held, GetParam().keepsBytes) << trip;
        EXPECT_FALSE(QImage::fromData(written, "JPEG").isNull()) << trip;
        const ContainerTablePtr read = converter.containersFromVCards(card, nullptr);
        ASSERT_TRUE(read && !read->isEmpty());
        const ContactTablePtr contacts = converter.contactsInContainer(read->constFirst());
        ASSERT_EQ(contacts->size(), 1);
        card = converter.vCardFromPerson(contacts->constFirst()->person, {u"Photo"_s}, {});
        EXPECT_EQ(photoBytes(card), written) << trip;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PhotoExport, testing::Values(PhotoRow{"Jpeg", "JPEG", true}, PhotoRow{"Png", "PNG", false}), rowName);

// Which groups a card lists is checked against the reference export.
TEST(MVvCardWriter, ManyContactsStopWhenAsked)
{
    const MVvCard converter;
    auto contacts = std::make_shared<ContactTable>();
    for (const QString &name : {u"Ann"_s, u"Ben"_s, u"Cid"_s})
        contacts->append(contactOf(personWithLabel(u"home"_s, name)));
    QList<quint64> positions;
    const std::optional<QString> stopped
        = converter.vCardsFromContacts(contacts, {}, nullptr, [&positions](bool *stop, quint64 position) {
              positions.append(position);
              *stop = position == 1;
          });
    EXPECT_FALSE(stopped);
    EXPECT_EQ(positions, (QList<quint64>{0, 1}));

    EXPECT_EQ(converter.vCardsFromContacts(contacts, {}, nullptr)->count(u"BEGIN:VCARD"_s), 3);
    EXPECT_EQ(converter.vCardsFromContacts(*contacts, {}, 0).count(u"END:VCARD"_s), 3);
}

} // namespace
