#pragma once

#include "platform/BackslashEscapes.h"
#include "platform/contacts/StoreContact.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

// The vCard form of store contacts.
//
// Writing gives vCard 3.0 (RFC 2426) in UTF-8 with CRLF line ends, one card
// per contact, concatenated: names, phonetic names, organisation, phones,
// e-mails, addresses, URLs, dates, related names, instant messages, social
// profiles and birthday. It writes no NOTE and no PHOTO; whoever exports adds
// those as the user chose, as well as properties of its own, of which the
// writer writes none either. Each card ends with its END:VCARD line. The
// contacts must carry all their keys (new contacts do; a fetched one must
// have been fetched with every key).
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

    // A content line of a card whose property the reader does not take into
    // the contact (CATEGORIES, X-… properties, UID, …): for a caller that
    // reads properties of its own in the same pass.
    struct OtherLine {
        QStringView name; // as written, without group
        QStringView value; // continuation lines joined; still escaped
        QStringView written; // as the text has it, continuation lines and the line ends between them included
    };
    using OtherLineHandler = std::function<void(const OtherLine &)>;
    // How a caller that makes records of its own from the contacts reads.
    struct ReadOptions {
        OtherLineHandler otherLines; // every line of a card the reader leaves alone, as it is met
        bool valueIdentifiers = true; // false: labeled values get no identifiers, for a caller that keeps none
        // The encoding the file was read in: the charset of QUOTED-PRINTABLE
        // and BASE64 values that name none. Empty: UTF-8, else ISO-8859-1.
        QString fallbackCharset;
    };

    [[nodiscard]] static QByteArray dataWithContacts(const QList<StoreContact> &contacts);
    // The card of one contact, appended to a text being written: the bytes
    // dataWithContacts gives for it.
    static void appendCard(std::string &out, const StoreContact &contact);

    // The writer's rules for a caller that adds content lines of its own to
    // the cards, so that every line of a card follows them. A text value in
    // UTF-8 with backslash, comma, semicolon and line ends escaped ("\n"):
    static void appendEscapedText(std::string &out, QStringView text);
    // Text in UTF-8 as it stands:
    static void appendText(std::string &out, QStringView text);
    // One content line and its CRLF, folded (CRLF and a space) so that no
    // physical line is longer than foldedLineOctets, never inside a UTF-8
    // sequence:
    static constexpr std::size_t foldedLineOctets = 75;
    static void appendFoldedLine(std::string &out, std::string_view line);

    // The escapes of a text value as the reader undoes them: "\\", "\n",
    // "\N", "\," and "\;", and the "\:" and "\"" that some writers put into
    // URLs and notes. A backslash before anything else stays, with its
    // character. For a caller that reads text values of its own.
    static constexpr BackslashEscapes::Table textEscapes{
        {u'n', u'\n'}, {u'N', u'\n'}, {u'\\', u'\\'}, {u',', u','}, {u';', u';'}, {u':', u':'}, {u'"', u'"'}};

    [[nodiscard]] static QList<StoreContact> contactsWithData(const QString &text, ReadReport *report = nullptr);
    // The same for a part of a larger text, read where it lies.
    [[nodiscard]] static QList<StoreContact> contactsWithData(QStringView text, ReadReport *report = nullptr);
    [[nodiscard]] static QList<StoreContact> contactsWithData(
        QStringView text, const ReadOptions &options, ReadReport *report = nullptr);

private:
    class Reader;

public:
    // Reads one text after another as contactsWithData(text, options) does,
    // for a caller that hands the cards of a file over one at a time: the
    // room the reading takes is made once and kept from card to card.
    class CardReader {
    public:
        explicit CardReader(const ReadOptions &options);
        ~CardReader();
        CardReader(const CardReader &) = delete;
        CardReader &operator=(const CardReader &) = delete;

        // The contacts of the text, in place of those the list held.
        void read(QStringView text, QList<StoreContact> &contacts);

    private:
        const ReadOptions m_options;
        std::unique_ptr<Reader> m_reader;
    };

private:
    [[nodiscard]] static QList<StoreContact> contactsOf(
        QStringView text, ReadReport *report, const ReadOptions *options = nullptr);
};
