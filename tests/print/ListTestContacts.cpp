#include "ListTestContacts.h"

#include "PdfWords.h"

#include "model/MVPerson.h"
#include "print/PrintJob.h"
#include "print/PrintOptions.h"
#include "print/PrintReceivers.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>
#include <QPrinter>

using namespace Qt::Literals::StringLiterals;
using namespace PrintOptionsKey;

namespace ListTestContacts {

PrintContactRecordPtr receiver(const Contact &contact)
{
    QString card = u"BEGIN:VCARD\r\nVERSION:3.0\r\nN:%1;%2;;;\r\nFN:%2 %1\r\n"_s.arg(contact.family, contact.given);
    for (const QString &phone : contact.phones)
        card += u"item%1.TEL:%2\r\nitem%1.X-ABLabel:%3\r\n"_s.arg(card.size())
                    .arg(phone.section(u':', 1), phone.section(u':', 0, 0));
    for (const QString &email : contact.emails)
        card += u"EMAIL;TYPE=INTERNET;TYPE=HOME:%1\r\n"_s.arg(email);
    if (!contact.note.isEmpty())
        card += u"NOTE:%1\r\n"_s.arg(QString(contact.note).replace(u'\n', u"\\n"_s));
    if (contact.address)
        card += u"ADR;TYPE=HOME:;;%1;千代田区;東京都;100-0001;\r\n"_s.arg(
            QString(contact.street).replace(u'\n', u"\\n"_s));
    card += u"END:VCARD\r\n"_s;
    auto row = std::make_shared<SubContactRecord>(MVPerson::initWithVCardData(card.toUtf8()), UniqueId(), 0);
    EXPECT_TRUE(row->person) << card.toStdString();
    return PrintReceivers::valueOfRow(row);
}

PrintContactList numberedReceivers(int count, const QString &note)
{
    PrintContactList receivers;
    for (int index = 1; index <= count; ++index) {
        receivers.append(receiver({.family = u"Family%1"_s.arg(index, 4, 10, QChar(u'0')),
            .phones = {u"mobile:090-0000-%1"_s.arg(index, 4, 10, QChar(u'0'))},
            .emails = {u"person%1@example.org"_s.arg(index)},
            .note = note}));
    }
    return receivers;
}

std::unique_ptr<HagakiView> letterView(const QString &style, const QStringList &listItems)
{
    auto view = std::make_unique<HagakiView>();
    view->setSelectedStyle(style);
    PrintOptionsRecord options = PrintOptions::initPrintOptions(u"en"_s);
    if (!listItems.isEmpty()) {
        QVariantMap list = options.value(AddressList).toMap();
        QVariantList table;
        for (const QString &item : listItems)
            table.append(QVariantMap{{Title, item}, {State, u"1"_s}});
        list.insert(ItemTable, table);
        options.insert(AddressList, list);
    }
    view->setPrintOptions(std::make_shared<PrintOptionsRecord>(options));
    view->setPrintInfo(std::make_shared<PrintInfo>());
    return view;
}

QString printThroughJob(HagakiView &view, const QString &name)
{
    const QString path = QDir(PdfWords::outputFolder()).filePath(name);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    PrintJob::preparePrinter(printer, *view.printInfo());
    EXPECT_EQ(PrintJob::print(view.document(), printer, nullptr), PrintJob::Result::Printed);
    return path;
}

QImage previewImage(HagakiView &view, const QString &name)
{
    const QRectF shown = view.bounds();
    QImage image(shown.size().toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(-shown.topLeft());
    view.drawRect(painter, shown);
    painter.end();
    if (qEnvironmentVariableIsSet("QUILLMARK_SCREENSHOT_DIR"))
        image.save(QDir(PdfWords::outputFolder()).filePath(name + u".png"_s));
    return image;
}

} // namespace ListTestContacts
