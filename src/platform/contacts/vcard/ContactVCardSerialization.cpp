#include "platform/contacts/vcard/ContactVCardSerialization.h"

#include "platform/contacts/vcard/VCardContactBuilder_p.h"
#include "platform/contacts/vcard/VCardContactWriter_p.h"
#include "platform/contacts/vcard/VCardDecoding_p.h"
#include "platform/contacts/vcard/VCardEscaping_p.h"
#include "platform/contacts/vcard/VCardFolding_p.h"
#include "platform/contacts/vcard/VCardLineParser_p.h"
#include "platform/contacts/vcard/VCardPropertyReaders_p.h"
#include "platform/contacts/vcard/VCardUnfolder_p.h"

#include <QLoggingCategory>

namespace {

// Unknown properties are everyday in real files (X-MS-OL-DESIGN, REV, GEO):
// they go to the debug output of this category, which is off unless asked for.
Q_LOGGING_CATEGORY(lcVCard, "quillmark.vcard", QtInfoMsg)

bool isCardBoundary(const VCardLine &line, QStringView name)
{
    return isSameVCardWord(line.name, name) && isSameVCardWord(line.value.trimmed(), QStringView(u"VCARD"));
}

} // namespace

class ContactVCardSerialization::Reader {
public:
    explicit Reader(const ContactVCardSerialization::ReadOptions *options = nullptr)
        : m_unfolder(QStringView())
        , m_otherLines(options ? &options->otherLines : nullptr)
    {
        if (options) {
            m_builder.setValueIdentifiers(options->valueIdentifiers);
            if (!options->fallbackCharset.isEmpty())
                m_line.fallbackCharset = options->fallbackCharset;
        }
    }

    // The contacts of the text appended to contacts.
    void read(QStringView text, ContactVCardSerialization::ReadReport *report, QList<StoreContact> &contacts)
    {
        m_unfolder.restart(text);
        m_report = report;
        m_contacts = &contacts;
        m_inCard = false;
        while (m_unfolder.next())
            readLine();
        if (m_inCard)
            endCard(false);
        m_contacts = nullptr;
    }

private:
    void readLine()
    {
        if (!VCardLineParser::parse(m_unfolder.line(), m_line)) {
            if (m_inCard)
                skip(QString(), "no property (no colon)", true);
            return;
        }
        if (isCardBoundary(m_line, u"BEGIN")) {
            if (m_inCard)
                endCard(false);
            m_inCard = true;
            return;
        }
        if (isCardBoundary(m_line, u"END")) {
            if (m_inCard)
                endCard(true);
            return;
        }
        if (!m_inCard)
            return; // text between cards is no part of any
        warnOfUnknownCharset();
        QString reason;
        switch (VCardPropertyReaders::read(m_line, m_builder, &reason)) {
        case VCardPropertyReaders::Result::Used:
            break;
        case VCardPropertyReaders::Result::Ignored:
            handOver();
            break;
        case VCardPropertyReaders::Result::Unknown:
            handOver();
            skip(m_line.name.toString(), "unknown property", false);
            break;
        case VCardPropertyReaders::Result::Skipped:
            skip(m_line.name.toString(), reason, true);
            break;
        }
    }

    void handOver() const
    {
        if (m_otherLines && *m_otherLines)
            (*m_otherLines)({m_line.name, m_line.value, m_unfolder.written()});
    }

    // The value is still read, as UTF-8.
    void warnOfUnknownCharset() const
    {
        const QStringView charset = m_line.parameter(u"CHARSET");
        if (charset.isEmpty() || VCardDecoding::encodingOf(m_line) == VCardDecoding::Encoding::None
            || VCardDecoding::isKnownCharset(charset))
            return;
        qCWarning(lcVCard, "%s: line %d (%s): unknown charset %s, read as UTF-8", Q_FUNC_INFO, m_unfolder.lineNumber(),
            qUtf8Printable(m_line.name.toString()), qUtf8Printable(charset.toString()));
    }

    void skip(const QString &name, const QString &reason, bool warn)
    {
        const int number = m_unfolder.lineNumber();
        if (warn)
            qCWarning(lcVCard, "%s: skipped line %d (%s): %s", Q_FUNC_INFO, number, qUtf8Printable(name),
                qUtf8Printable(reason));
        else
            qCDebug(lcVCard, "%s: skipped line %d (%s): %s", Q_FUNC_INFO, number, qUtf8Printable(name),
                qUtf8Printable(reason));
        if (m_report)
            m_report->skippedLines.append({number, name, reason});
    }

    // A card cut off by the end of the text or by the next BEGIN:VCARD still
    // gives what it held, as long as it held anything.
    void endCard(bool terminated)
    {
        m_inCard = false;
        if (!terminated) {
            qCWarning(lcVCard, "%s: card without END:VCARD before line %d", Q_FUNC_INFO, m_unfolder.lineNumber());
            if (m_report)
                ++m_report->unterminatedCardCount;
            if (!m_builder.hasContent()) {
                m_builder.reset();
                return;
            }
        }
        if (m_report)
            ++m_report->cardCount;
        m_contacts->append(m_builder.takeContact());
    }

    VCardUnfolder m_unfolder;
    ContactVCardSerialization::ReadReport *m_report = nullptr;
    const ContactVCardSerialization::OtherLineHandler *m_otherLines = nullptr;
    VCardLine m_line;
    VCardContactBuilder m_builder;
    bool m_inCard = false;
    QList<StoreContact> *m_contacts = nullptr;
};

QList<StoreContact> ContactVCardSerialization::contactsOf(
    QStringView text, ReadReport *report, const ReadOptions *options)
{
    QList<StoreContact> contacts;
    Reader(options).read(text, report, contacts);
    return contacts;
}

QByteArray ContactVCardSerialization::dataWithContacts(const QList<StoreContact> &contacts)
{
    std::string out;
    out.reserve(std::size_t(contacts.size()) * 1024); // a card of a full contact, its addresses in kanji
    VCardContactWriter writer(out);
    for (const StoreContact &contact : contacts)
        writer.write(contact);
    return QByteArray(out.data(), qsizetype(out.size()));
}

void ContactVCardSerialization::appendCard(std::string &out, const StoreContact &contact)
{
    VCardContactWriter(out).write(contact);
}

void ContactVCardSerialization::appendEscapedText(std::string &out, QStringView text)
{
    VCardEscaping::appendEscapedUtf8(out, text);
}

void ContactVCardSerialization::appendText(std::string &out, QStringView text)
{
    VCardEscaping::appendUtf8(out, text);
}

void ContactVCardSerialization::appendFoldedLine(std::string &out, std::string_view line)
{
    VCardFolding::appendFoldedLine(out, line);
}

QList<StoreContact> ContactVCardSerialization::contactsWithData(const QString &text, ReadReport *report)
{
    return contactsOf(text, report);
}

QList<StoreContact> ContactVCardSerialization::contactsWithData(QStringView text, ReadReport *report)
{
    return contactsOf(text, report);
}

QList<StoreContact> ContactVCardSerialization::contactsWithData(
    QStringView text, const ReadOptions &options, ReadReport *report)
{
    return contactsOf(text, report, &options);
}

ContactVCardSerialization::CardReader::CardReader(const ReadOptions &options)
    : m_options(options)
    , m_reader(std::make_unique<Reader>(&m_options))
{
}

ContactVCardSerialization::CardReader::~CardReader() = default;

void ContactVCardSerialization::CardReader::read(QStringView text, QList<StoreContact> &contacts)
{
    contacts.clear();
    m_reader->read(text, nullptr, contacts);
}
