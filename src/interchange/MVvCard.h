#pragma once

#include "model/ContactRecord.h"
#include "model/ContainerRecord.h"
#include "model/GroupRecord.h"
#include "model/MVPerson.h"
#include "model/SubContactRecord.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The option names that choose which of the system's own properties a vCard
// writer adds. Any other name is ignored; matching is exact.
using vCardExportOptions = QStringList;

namespace vCardExportOption {
inline const QString Note = QStringLiteral("Note");
inline const QString Photo = QStringLiteral("Photo");
inline const QString Renmei = QStringLiteral("Renmei");
inline const QString HagakiLayout = QStringLiteral("HagakiLayout");
// Has no effect: group names reach the writers by their own arguments.
inline const QString Categories = QStringLiteral("Categories");
} // namespace vCardExportOption

// Called after every card: the writers pass the index of the contact just
// written, the reader the character offset just past the card just read. The
// flag is NO on each call; leaving it YES stops the operation, which then
// gives no result.
using vCardProgressHandler = std::function<void(bool *stop, quint64 position)>;

// Converts between the contact records and vCard text (MVvCard.cpp,
// MVvCardReader.cpp) and CSV text (MVvCardCsv*.cpp). It holds no state; every
// operation may run on any thread. It reports no errors: callers decide from
// the number of contacts they get.
//
// The standard vCard properties come from the contacts store's serialization
// (MVPerson::vCardData); this class adds and reads back the system's own:
// NOTE, X-RENMEI (joint names), X-HAGAKILAYOUTS (one postcard layout per
// address), PHOTO and CATEGORIES.
class MVvCard {
public:
    MVvCard() = default;

    // --- vCard reading --------------------------------------------------------
    // One "vCard" container whose first group "All Contacts" holds every
    // contact read, in card order, followed by one group per category met;
    // null when the handler stopped it. The error is never set: text without
    // usable cards gives a container without contacts.
    [[nodiscard]] ContainerTablePtr containersFromVCards(
        const QString &text, QString *error, const vCardProgressHandler &progressHandler) const;
    [[nodiscard]] ContainerTablePtr containersFromVCards(const QString &text, QString *error) const;
    // The same for text read in the given encoding (an ICU or IANA name),
    // which QUOTED-PRINTABLE and BASE64 values without CHARSET are in too.
    [[nodiscard]] ContainerTablePtr containersFromVCards(
        const QString &text, const QString &charset, const vCardProgressHandler &progressHandler) const;
    // The same for a text no one reads after it: the memory of the cards
    // read is given back as the reader goes, so that a large file's text is
    // gone by the time its records are all made.
    [[nodiscard]] ContainerTablePtr containersFromVCards(
        QString &&text, const QString &charset, const vCardProgressHandler &progressHandler) const;
    // The contact table of the first group of a "vCard" container; null for
    // any other container.
    [[nodiscard]] ContactTablePtr contactsInContainer(const ContainerRecordPtr &container) const;
    // The contact table of the "vCard" container's group with the group's
    // uniqueId; null when none matches or for any other container.
    [[nodiscard]] ContactTablePtr contactsForGroup(
        const GroupRecordPtr &group, const ContainerRecordPtr &container) const;

    // --- vCard writing --------------------------------------------------------
    // Every contact's card, each listing the non-top groups of the container
    // that hold it as categories; nullopt for a null list or when stopped.
    [[nodiscard]] std::optional<QString> vCardsFromContacts(const ContactTablePtr &contacts,
        const vCardExportOptions &options, const ContainerRecordPtr &containerDict,
        const vCardProgressHandler &progressHandler) const;
    [[nodiscard]] std::optional<QString> vCardsFromContacts(const ContactTablePtr &contacts,
        const vCardExportOptions &options, const ContainerRecordPtr &containerDict) const;
    // One card; with "Photo" a card carries the contact's own picture, and
    // none when it has none. Empty when the person has no vCard.
    [[nodiscard]] QString vCardFromPerson(
        const MVPersonPtr &person, const vCardExportOptions &options, const QStringList &groupNames) const;
    // One card of a contact row; "Photo" writes only the contact's own photo.
    [[nodiscard]] QString vCardFromContact(const ContactRecordPtr &contact, const vCardExportOptions &options) const;
    // The cards of vCardFromContact concatenated; the progress is not used.
    [[nodiscard]] QString vCardsFromContacts(
        const ContactTable &contacts, const vCardExportOptions &options, int progress) const;

    // The image as JPEG at quality 0.9, over white where it is transparent.
    [[nodiscard]] static QByteArray jpegDataFromImage(const QImage &image);

    // --- CSV ------------------------------------------------------------------
    // The 32-column layout: header line, then one line per row, each line
    // ended by a line feed. A table row shows the values at its position; a
    // contact record is written whole, each labeled column showing the
    // contact's first value of the column's label.
    [[nodiscard]] QString csvFromSubContacts(const QList<SubContactRecordPtr> &rows) const;
    [[nodiscard]] QString csvFromSubContacts(const ContactTable &rows) const;
    // One row of the chosen fields joined by the separator, for the clipboard.
    [[nodiscard]] QString csvStringFromContact(
        const SubContactRecordPtr &row, const QStringList &identifiers, const QString &separator) const;
    [[nodiscard]] QString csvStringFromContact(
        const ContactRecordPtr &row, const QStringList &identifiers, const QString &separator) const;
    // Contacts of a CSV file whose header names its columns in words; null for
    // null text. Rows from which no field could be taken give no contact.
    [[nodiscard]] ContactTablePtr contactsFromCSV(const QString &text) const;
    // The same for a text no one reads after it, given back as it is read.
    [[nodiscard]] ContactTablePtr contactsFromCSV(QString &&text) const;

    // What a header cell names: a field identifier, "FirstName", "LastName",
    // "Address" for an address part, or "" for nothing known.
    [[nodiscard]] static QString detectType(const QString &cell);
    // "home", "work", "mobile" or "other".
    [[nodiscard]] static QString detectLabel(const QString &cell);
    // "ZIP", "State", "City" or "Street".
    [[nodiscard]] static QString detectAddressType(const QString &cell);

private:
    [[nodiscard]] QString csvFromRows(const QList<SubContactRecord> &rows, bool wholeContacts) const;
    [[nodiscard]] QString csvStringFromRow(
        const SubContactRecord &row, const QStringList &identifiers, const QString &separator) const;
};
