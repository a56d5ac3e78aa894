#include "PdfWords.h"
#include "PreviewWindow.h"

#include "model/ContactIdentifier.h"
#include "model/MVPerson.h"
#include "print/LabelPages.h"
#include "print/LabelGrid.h"
#include "print/PrintOptionValue.h"
#include "print/PrintOptions.h"
#include "app/PrintCommands.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;
using namespace PdfWords;
using namespace PrintOptionsKey;

namespace {

// Print… into a PDF file.
class PrintCommand : public PreviewWindowTest {
protected:
    void print() { EXPECT_TRUE(printInto(m_path)); }

    QString m_path = pdfPath();
};

TEST_F(PrintCommand, PrintsOnePostcardARowFirstRowFirstOrLastFirstWhenThePrinterAsks)
{
    openWindow();
    selectRows({{0, 0}, {2, 0}, {4, 0}});
    for (const QPrinter::PageOrder order : {QPrinter::FirstPageFirst, QPrinter::LastPageFirst}) {
        EXPECT_TRUE(printInto(m_path, order));
        QList<Page> pages = pdfWords(m_path);
        ASSERT_EQ(pages.size(), 3);
        if (order == QPrinter::LastPageFirst)
            std::reverse(pages.begin(), pages.end());
        EXPECT_TRUE(holds(pages.at(0), u"山"_s)) << order;
        EXPECT_FALSE(holds(pages.at(0), u"佐"_s)) << order;
        EXPECT_TRUE(holds(pages.at(1), u"佐"_s)) << order;
        EXPECT_TRUE(holds(pages.at(2), u"鈴"_s)) << order;
    }
    EXPECT_EQ(PrintInfo::sharedPrintInfo()->margins(), QMarginsF());
    EXPECT_TRUE(m_alerts.alerts.isEmpty());
}

// A print leaves the paper the preview lays out as it was: the labels the
// preview shows after postcards were printed are those printed next.
TEST_F(PrintCommand, AfterPrintingPostcardsTheLabelPreviewHasTheGridPrintedNext)
{
    openWindow();
    selectRows({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}});
    print();
    ASSERT_EQ(pdfWords(m_path).size(), 6);
    choosePrintStyle(u"Labels"_s);
    ASSERT_EQ(PrintInfo::sharedPrintInfo()->paperName(), u"Letter"_s);
    const LabelGrid shown = LabelPages(view().document()).labelGrid();
    // Letter's whole paper takes 4 × 12 labels of 130 × 60 with gaps of 5.
    EXPECT_EQ(shown.columns, 4);
    EXPECT_EQ(shown.rows, 12);
    EXPECT_EQ(view().document().pageCount(), 1);
    print();
    const QList<Page> pages = pdfWords(m_path);
    ASSERT_EQ(pages.size(), 1);
    for (int row = 0; row < 6; ++row) {
        const QString family = person(row).nameValue()->lastName;
        const QRectF slot = shown.slotRect(row).adjusted(-2, -2, 5, 5);
        EXPECT_TRUE(std::any_of(pages.first().cbegin(), pages.first().cend(), [&](const Word &word) {
            return word.text.contains(family) && slot.contains(word.box.center());
        })) << family.toStdString();
    }

    // A printer that reaches the whole paper leaves the reach Page Setup
    // chose to what the preview lays out.
    QPrinter inset;
    inset.setPageSize(QPageSize(QPageSize::Letter));
    inset.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Point);
    m_window->printCommands()->pageSetupDidEnd(inset, QDialog::Accepted);
    const QRectF reach = PrintInfo::sharedPrintInfo()->imageablePageBounds();
    ASSERT_EQ(reach, QRectF(18, 18, 612 - 36, 792 - 36));
    EXPECT_EQ(LabelPages(view().document()).labelGrid().rows, 11);
    print();
    EXPECT_EQ(PrintInfo::sharedPrintInfo()->imageablePageBounds(), reach);
    EXPECT_EQ(LabelPages(view().document()).labelGrid().rows, 11);
    // The reach goes with its paper: postcards are laid out on the whole card.
    choosePrintStyle(u"Hagaki"_s);
    const PrintInfo &card = *PrintInfo::sharedPrintInfo();
    EXPECT_EQ(card.imageablePageBounds(), QRectF(QPointF(0, 0), card.paperSize()));
    choosePrintStyle(u"Labels"_s);
    EXPECT_EQ(PrintInfo::sharedPrintInfo()->imageablePageBounds(), reach);
}

// What a table row holds, its contact's vCard included.
using RowData = std::tuple<const MVPerson *, QString, qint64, bool, int, QByteArray>;

QList<RowData> dataOf(const QList<SubContactRecordPtr> &rows)
{
    QList<RowData> data;
    for (const SubContactRecordPtr &row : rows)
        data.append({row->person.get(), row->uniqueId.toString(), row->labelIndex, row->notFirstRow, row->numLines,
            row->person->vCardData()});
    return data;
}

TEST_F(PrintCommand, ThePreviewAndAPrintLeaveTheTablesRowsAsTheyAre)
{
    openWindow();
    selectRows({{0, 0}, {2, 0}});
    const QList<SubContactRecordPtr> rows = m_table.selectedSubContacts();
    ASSERT_EQ(rows.size(), 2);
    m_controller->changeSenderInHagakiView(rows.last());
    endTurn();
    const QList<RowData> before = dataOf(rows);

    pane().updateUI();
    endTurn();
    print();
    EXPECT_EQ(pdfWords(m_path).size(), 2);
    EXPECT_EQ(m_table.selectedSubContacts(), rows);
    EXPECT_EQ(dataOf(rows), before);
    // The view draws values made from the rows; the sender's own row is one
    // value on the card, so its receiver blocks are still skipped.
    const PrintContactList shown = view().receiverPersons();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown.at(0)->source, rows.at(0));
    EXPECT_EQ(shown.at(1)->source, rows.at(1));
    EXPECT_EQ(view().senderPerson(), shown.at(1));
    EXPECT_TRUE(m_alerts.alerts.isEmpty());
}

TEST_F(PrintCommand, WithoutASelectionNothingHappensAndACancelledJobOrOneThatCannotStartLeavesNoFile)
{
    openWindow();
    EXPECT_FALSE(printInto(m_path));
    m_window->printCommands()->printDocument();
    EXPECT_EQ(m_printPanels, 0);
    EXPECT_FALSE(QFile::exists(m_path));
    // A job cancelled in its progress panel.
    selectRows({{0, 0}, {2, 0}, {4, 0}});
    QTimer::singleShot(0, m_window.get(), [this] {
        if (auto *progress = m_window->findChild<QProgressDialog *>())
            QTest::mouseClick(progress->findChild<QPushButton *>(), Qt::LeftButton);
    });
    print();
    EXPECT_FALSE(QFile::exists(m_path));
    EXPECT_TRUE(m_alerts.alerts.isEmpty());
    m_path = u"/nonexistent-folder/cards.pdf"_s;
    print();
    ASSERT_EQ(m_alerts.alerts.size(), 1);
    EXPECT_EQ(m_alerts.alerts.first().messageText, u"Couldn't print."_s);
    EXPECT_FALSE(QFile::exists(m_path));
}

TEST_F(PrintCommand, EveryEnvelopeIsCentredAndSizedOnItsOwnText)
{
    m_defaults->setObject(u"Envelope"_s, PrintOptions::printStyleKey);
    openWindow();
    QVariantMap envelope = PrintOptionValue::dictionary(*pane().printOptions(), Envelope);
    envelope.insert(TextDirection, u"Left-Right"_s);
    pane().printOptions()->insert(Envelope, envelope);
    LabeledValueRecord longAddress = *person(1).labeledValueForIdentifierAtIndex(FieldId::Address, 0);
    longAddress.address->street = u"1200 North Lake Shore Drive, Apartment 4500"_s;
    person(1).replaceLabeledValueAtIndex(longAddress, FieldId::Address, 0);
    selectRows({{3, 0}, {1, 0}});
    print();

    const QList<Page> pages = pdfWords(m_path);
    ASSERT_EQ(pages.size(), 2);
    const QSizeF paper = PrintInfo::sharedPrintInfo()->paperSize();
    const QSizeF box(paper.width() / 3, paper.height() / 3);
    QList<double> lineHeights;
    for (const Page &page : pages) {
        const QRectF text = inkedArea(page);
        EXPECT_NEAR(text.center().x(), paper.width() / 2, 3);
        EXPECT_NEAR(text.center().y(), paper.height() / 2, 6);
        EXPECT_LE(text.width(), box.width());
        EXPECT_GT(std::max(text.width() / box.width(), text.height() / box.height()), 0.8);
        lineHeights.append(page.first().box.height());
    }
    // Page 2 is the second row's: its long street is set much smaller than
    // the short address of page 1, each fitted to the same box.
    EXPECT_LT(lineHeights.at(1) * 2, lineHeights.at(0));
}

class PrintCommandOfStyle : public PreviewWindowTest, public testing::WithParamInterface<const char *> { };

// The views of the window at the moment the print panel asks for a printer.
qsizetype postcardViews()
{
    const QWidgetList widgets = QApplication::allWidgets();
    return std::count_if(widgets.cbegin(), widgets.cend(),
        [](const QWidget *widget) { return qobject_cast<const HagakiView *>(widget); });
}

// A print job prints a document: it makes no view of its own, and the
// preview's view is the only one while the panel is open and after the job.
TEST_P(PrintCommandOfStyle, PrintsWithoutAViewOfItsOwn)
{
    openWindow();
    choosePrintStyle(QString::fromUtf8(GetParam()));
    selectRows({{0, 0}, {1, 0}});
    const qsizetype views = postcardViews();
    ASSERT_EQ(views, 1);
    const QString path
        = QDir(outputFolder()).filePath(u"PrintWithoutAView-%1.pdf"_s.arg(QString::fromUtf8(GetParam())));
    qsizetype viewsWhileAsked = -1;
    m_window->printCommands()->setPrintPanel([&](QPrinter &printer, const std::function<void(bool)> &done) {
        viewsWhileAsked = postcardViews();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        done(true);
    });
    m_window->validateMenus();
    ASSERT_TRUE(m_window->printCommands()->printAction()->isEnabled());
    m_window->printCommands()->printAction()->trigger();
    EXPECT_EQ(viewsWhileAsked, views);
    EXPECT_EQ(postcardViews(), views);
    EXPECT_FALSE(pdfWords(path).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Styles, PrintCommandOfStyle, testing::Values("Hagaki", "Envelope", "Labels", "Address List"),
    [](const testing::TestParamInfo<const char *> &info) {
        QString name = QString::fromUtf8(info.param);
        return name.remove(u' ').toStdString();
    });

} // namespace
