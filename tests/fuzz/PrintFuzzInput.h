#pragma once

#include "fuzz/FuzzInput.h"
#include "model/HagakiLayoutString.h"
#include "print/PrintDocument.h"
#include "print/PageRenderer.h"
#include "print/PrintOptionValue.h"
#include "print/PrintOptions.h"

#include <QImage>
#include <QStringList>

#include <memory>

// How the print fuzzer reads its input, shared with the test that replays its
// corpus: the text (as FuzzInput takes it) is split at U+001F into a contact's
// fields, and the contact is laid out and drawn as the receiver, and with the
// switch 's' as the sender too, of one postcard and of one envelope page, and
// as the receiver of one page of mailing labels.
//
// Fields: switches, family name, given name, joint names, company, postal
// code, state, city, street, name frame, address frame, envelope frame, label
// sheet. The label sheet is the label width, height, gaps across and down and
// repeat count, separated by spaces and read as the options' values are, so
// that nonsense numbers ("nan", "-3", "1e30") reach the grid as they stand.
// Switches, one letter each: 'r' joint names and 'c' the company printed,
// 's' the contact is the sender too, 'v' vertical envelope text, 'u' running
// "Up-Down", 'z' and 'k' the postal code and the country on envelopes, 'm'
// "Mr." in place of "様"; 'v', 'z' and 'f' (the frame) apply to labels too.
namespace PrintFuzzInput {

enum Field {
    Switches,
    Family,
    Given,
    Renmei,
    Company,
    Zip,
    State,
    City,
    Street,
    NameFrame,
    AddressFrame,
    EnvelopeFrame,
    LabelSheet
};

[[nodiscard]] inline PrintContactRecordPtr contact(const QStringList &fields)
{
    const QString switches = fields.value(Switches);
    auto row = std::make_shared<PrintContactRecord>();
    NameRecord name;
    name.lastName = fields.value(Family);
    name.firstName = fields.value(Given);
    name.stringValue = name.lastName + u' ' + name.firstName;
    row->name = name;
    row->compositeName = name.stringValue;
    row->renmei = fields.value(Renmei);
    if (!fields.value(Company).isEmpty())
        row->company = fields.value(Company);
    auto address = std::make_shared<LabeledValueRecord>();
    address->address->zip = fields.value(Zip);
    address->address->state = fields.value(State);
    address->address->city = fields.value(City);
    address->address->street = fields.value(Street);
    address->address->country = fields.value(State);
    address->layout->renmei = switches.contains(u'r');
    address->layout->company = switches.contains(u'c');
    address->layout->receiverName = HagakiLayoutString::frameFromString(fields.value(NameFrame));
    address->layout->senderName = HagakiLayoutString::frameFromString(fields.value(NameFrame));
    address->layout->receiverAddress = HagakiLayoutString::frameFromString(fields.value(AddressFrame));
    address->layout->senderAddress = HagakiLayoutString::frameFromString(fields.value(AddressFrame));
    row->layoutDict = address;
    return row;
}

[[nodiscard]] inline PrintOptionsRecordPtr options(const QStringList &fields)
{
    using namespace PrintOptionsKey;
    const QString switches = fields.value(Switches);
    PrintOptionsRecord options = PrintOptions::initPrintOptions(QStringLiteral("ja"));
    if (switches.contains(u'm'))
        options.insert(Keishou, QStringLiteral("Mr."));
    QVariantMap envelope = PrintOptionValue::dictionary(options, PrintOptionsKey::Envelope);
    envelope.insert(DrawTextInVertical, switches.contains(u'v'));
    envelope.insert(TextDirection, switches.contains(u'u') ? QStringLiteral("Up-Down") : QStringLiteral("Left-Right"));
    envelope.insert(PrintZIP, switches.contains(u'z'));
    envelope.insert(PrintCountry, switches.contains(u'k'));
    const QString frame = fields.value(EnvelopeFrame);
    envelope.insert(RectDicts,
        QVariantMap{{QStringLiteral("Postcard"),
            QVariantMap{
                {ReceiverRect, frame}, {ReceiverRectUpDown, frame}, {SenderRect, frame}, {SenderRectUpDown, frame}}}});
    options.insert(PrintOptionsKey::Envelope, envelope);

    QVariantMap labels = PrintOptionValue::dictionary(options, MailingLabels);
    const QStringList sheet = fields.value(LabelSheet).split(u' ');
    const QStringList keys{LabelWidth, LabelHeight, HGap, VGap, RepeatCount};
    for (qsizetype index = 0; index < keys.size() && index < sheet.size(); ++index)
        labels.insert(keys.at(index), sheet.at(index));
    labels.insert(DrawTextInVertical, switches.contains(u'v'));
    labels.insert(PrintZIP, switches.contains(u'z'));
    labels.insert(PrintFrame, switches.contains(u'f'));
    options.insert(MailingLabels, labels);
    return std::make_shared<PrintOptionsRecord>(options);
}

// One page of the style, printed, into an image of few dots: what is drawn
// matters less than that drawing it survives.
inline QImage printedPage(const QStringList &fields, const QString &style)
{
    const PrintContactRecordPtr receiver = contact(fields);
    PrintDocument document;
    document.setOptions(options(fields));
    document.setStyle(PrintStyleName::style(style));
    auto paper = std::make_shared<PrintInfo>();
    paper->setPaperName(style == PrintStyleName::labels ? QStringLiteral("Letter") : QStringLiteral("Postcard"));
    document.setPaper(paper);
    document.setReceivers(PrintContactList{receiver});
    document.setSender(fields.value(Switches).contains(u's') ? receiver : nullptr);
    constexpr double dotsPerInch = 24;
    return PageRenderer::renderPage(document, 1, dotsPerInch);
}

// The postcard, the envelope page and the label page of the input.
inline void printAll(const QString &text)
{
    const QStringList fields = text.split(QChar(0x1F));
    (void)printedPage(fields, PrintStyleName::hagaki);
    (void)printedPage(fields, PrintStyleName::envelope);
    (void)printedPage(fields, PrintStyleName::labels);
}

} // namespace PrintFuzzInput
