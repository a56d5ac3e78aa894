#pragma once

#include "platform/contacts/StoreContact.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

// The vCard form of store contacts.
//
// Writing gives vCard 3.0 (RFC 2426) in UTF-8 with CRLF line ends, one card
// per contact, concatenated: names, phonetic names, organisation, phones,
// e-mails, addresses, URLs, dates, related names, instant messages, social
// profiles and birthday. It writes no NOTE and no PHOTO; whoever exports adds
// those as the user chose. The contacts must carry all their keys (new
// contacts do; a fetched one must have been fetched with every key).
//
// Reading takes text that the caller has already decoded from the file's
// encoding and understands vCard 2.1, 3.0 and 4.0 as phones and mail programs
// write them, NOTE and PHOTO included. Each contact read is new: it gets an
// identifier of its own, never the card's UID. Lines it cannot use are
// skipped and counted in the report; nothing in the text makes it fail.
class ContactVCardSerialization {
public:
    ContactVCardSerialization() = delete;

    struct SkippedLine {
        int lineNumber = 0; // 1-based, of the line where the property starts
        QString name; // the property name as written, empty for a line without one
        QString reason;
    };

    struct ReadReport {
        QList<SkippedLine> skippedLines;
        int cardCount = 0;
        // Cards cut off by the end of the text or by the next BEGIN:VCARD;
        // what they held is still read.
        int unterminatedCardCount = 0;
    };

    [[nodiscard]] static QByteArray dataWithContacts(const QList<StoreContact> &contacts);

    [[nodiscard]] static QList<StoreContact> contactsWithData(const QString &text, ReadReport *report = nullptr);
    // The same for a part of a larger text, read where it lies.
    [[nodiscard]] static QList<StoreContact> contactsWithData(QStringView text, ReadReport *report = nullptr);
};
