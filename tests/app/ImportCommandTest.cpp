#include "FileCommandsTestSupport.h"

#include "app/ImportNameTableModel.h"
#include "common/Screenshot.h"
#include "detail/ContactInfoController.h"
#include "interchange/ImportFileReader.h"
#include "interchange/TextEncodingTable.h"
#include "model/ContactIdentifier.h"
#include "app/FileMenuCommands.h"
#include "model/MVPerson.h"

#include <QStringEncoder>
#include <QWindow>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray cards(int count, const char *prefix = "Guest")
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += "BEGIN:VCARD\r\nVERSION:3.0\r\nN:" + QByteArray(prefix) + ";" + QByteArray::number(i)
            + ";;;\r\nFN:x\r\nEND:VCARD\r\n";
    return text;
}

QStringList namesOf(const ContactTablePtr &table)
{
    QStringList names;
    for (const ContactRecordPtr &contact : std::as_const(*table))
        names.append(contact->person->compositeName());
    return names;
}

using ImportCommand = FileCommandsTest;

// A phone's Shift_JIS card read with "Automatic"; Select adds it as one undo
// step and marks the window edited.
TEST_F(ImportCommand, PhoneCardImportsWithAutomaticAndOneUndoRemovesIt)
{
    answer(TestEnvironment::dataPath(u"vcard/aosp__v21_japanese_1.vcf"_s));
    m_window.fileCommands()->importFromVCard();
    ASSERT_TRUE(chooser());
    EXPECT_EQ(chooserNames(), QStringList{u"安藤ロイド"_s});
    EXPECT_EQ(chooser()->importFilename()->text(), u"aosp__v21_japanese_1.vcf"_s);
    ASSERT_TRUE(m_requests.size() == 1 && m_requests.first().withEncoding);
    Screenshot::grab(chooser());
    clickSelect();
    EXPECT_TRUE(namesOf(top()->contactTable).contains(u"安藤ロイド"_s));
    EXPECT_TRUE(m_window.isWindowModified());
    EXPECT_FALSE(m_window.fileCommands()->fileCommandRunning());
    m_controller.undo();
    EXPECT_EQ(top()->contactTable->size(), 10);
}

TEST_F(ImportCommand, ChosenEncodingDecidesTheText)
{
    answer(TestEnvironment::dataPath(u"vcard/aosp__v21_japanese_1.vcf"_s), TextEncodingTable::UTF8);
    m_window.fileCommands()->importFromVCard();
    EXPECT_FALSE(chooser());
    ASSERT_EQ(m_alerts.alerts.size(), 1);
    EXPECT_EQ(m_alerts.alerts.first().messageText, u"Couldn't read the file."_s);
    EXPECT_TRUE(m_alerts.alerts.first().informativeText.contains(u"invalid data at byte"_s));
    EXPECT_FALSE(m_window.fileCommands()->fileCommandRunning());

    answer(writeFile(u"euro.vcf"_s, "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Roe;Jane\r\nORG:Caf\xE9 \x80\r\nEND:VCARD\r\n"),
        TextEncodingTable::idForCharset("windows-1252"));
    m_window.fileCommands()->importFromVCard();
    ASSERT_TRUE(chooser());
    clickSelect();
    QStringList companies;
    for (const ContactRecordPtr &contact : std::as_const(*top()->contactTable))
        companies.append(contact->person->stringValueForIdentifier(FieldId::Company, 0));
    EXPECT_TRUE(companies.contains(u"Café €"_s)) << qPrintable(companies.join(u','));
}

// Ctrl+click narrows the choice, which the file's order keeps; two chosen
// rows are one undo step.
TEST_F(ImportCommand, TwoChosenRowsAreOneUndoStep)
{
    answer(writeFile(u"three.vcf"_s, cards(3)));
    m_window.fileCommands()->importFromVCard();
    ASSERT_TRUE(chooser());
    EXPECT_EQ(chooser()->selectedIndexes(), (QList<int>{0, 1, 2}));
    clickRow(2);
    clickRow(0, Qt::ControlModifier);
    EXPECT_EQ(chooser()->selectedIndexes(), (QList<int>{0, 2}));
    clickSelect();
    const QStringList names = namesOf(top()->contactTable);
    EXPECT_TRUE(names.contains(u"0 Guest"_s) && names.contains(u"2 Guest"_s) && !names.contains(u"1 Guest"_s));
    endTurn();
    QApplication::setActiveWindow(&m_window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    QTest::keyClick(&m_window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(top()->contactTable->size(), 10);
}

// Return typed twice faster than the first is handled: both wait in the
// queue, each to go to the window that has the keyboard when it is handled,
// as the window system hands keys over: a modal window as soon as it shows,
// else the chooser until the window manager has moved the focus on. The
// first chooses; the second cancels no progress window and chooses nothing
// again.
TEST_F(ImportCommand, ASecondReturnTypedAheadLeavesTheImportWhole)
{
    answer(writeFile(u"two.vcf"_s, cards(2)));
    m_window.fileCommands()->importFromVCard();
    ASSERT_TRUE(chooser());
    chooser()->activateWindow();
    QTRY_VERIFY(QGuiApplication::focusWindow() == chooser()->windowHandle());
    const QPointer<QWindow> typedInto = chooser()->windowHandle();
    for (int typed = 0; typed < 2; ++typed) {
        QMetaObject::invokeMethod(
            qApp,
            [typedInto] {
                for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                    QWindow *target = QGuiApplication::modalWindow();
                    target = target ? target : QGuiApplication::focusWindow();
                    if (QWindow *keyboard = target ? target : typedInto.data())
                        qt_handleKeyEvent(keyboard, type, Qt::Key_Return, Qt::NoModifier);
                }
            },
            Qt::QueuedConnection);
    }
    endTurn();
    QTRY_VERIFY(!m_window.progressAlert()->isVisible());
    const QStringList names = namesOf(top()->contactTable);
    EXPECT_TRUE(names.size() == 12 && names.contains(u"0 Guest"_s) && names.contains(u"1 Guest"_s))
        << qPrintable(names.join(u','));
    EXPECT_FALSE(chooser());
    EXPECT_TRUE(m_alerts.alerts.isEmpty());
    EXPECT_TRUE(m_window.isWindowModified());
    EXPECT_FALSE(m_window.fileCommands()->fileCommandRunning());
    m_controller.undo();
    EXPECT_EQ(top()->contactTable->size(), 10);
    EXPECT_FALSE(m_window.undoManager()->canUndo());
}

TEST_F(ImportCommand, CancelAndSelectWithNoneLeaveTheWindowUnedited)
{
    const QString path = writeFile(u"two.vcf"_s, cards(2));
    answer(path);
    m_window.fileCommands()->importFromVCard();
    ASSERT_TRUE(chooser());
    clickCancel();
    answer(path);
    m_window.fileCommands()->importFromVCard();
    ASSERT_TRUE(chooser());
    clickRow(0);
    clickRow(0, Qt::ControlModifier);
    EXPECT_TRUE(chooser()->selectedIndexes().isEmpty());
    clickSelect();
    EXPECT_EQ(top()->contactTable->size(), 10);
    EXPECT_FALSE(m_window.isWindowModified());
    EXPECT_FALSE(m_window.fileCommands()->fileCommandRunning());
}

TEST_F(ImportCommand, SecondCommandWhileOneRunsIsIgnored)
{
    answer(writeFile(u"two.vcf"_s, cards(2)));
    m_window.fileCommands()->importFromVCard();
    ASSERT_TRUE(chooser());
    m_window.fileCommands()->importFromCSV();
    m_window.fileCommands()->exportToVCard();
    EXPECT_EQ(m_requests.size(), 1);
    clickCancel();
    m_window.fileCommands()->importFromCSV();
    EXPECT_EQ(m_requests.size(), 2);
}

// The clicked row is shown read-only with every label; deselecting every
// row keeps it on show. A card without a name is listed by the model's
// placeholder for a nameless contact.
TEST_F(ImportCommand, ChooserPreviewsTheClickedRow)
{
    answer(writeFile(u"mixed.vcf"_s, cards(2) + "BEGIN:VCARD\r\nVERSION:3.0\r\nTEL:03-1234\r\nEND:VCARD\r\n"));
    m_window.fileCommands()->importFromVCard();
    ASSERT_TRUE(chooser());
    EXPECT_EQ(chooserNames(), (QStringList{u"0 Guest"_s, u"1 Guest"_s, u"No name"_s}));
    ContactInfoController *preview = chooser()->contactInfoController();
    EXPECT_EQ(preview->contact(), chooser()->nameTable()->at(0));
    for (int row : {1, 2, 0}) {
        clickRow(row);
        EXPECT_EQ(preview->contact(), chooser()->nameTable()->at(row)) << row;
        EXPECT_FALSE(preview->editState());
    }
    clickRow(0, Qt::ControlModifier);
    EXPECT_TRUE(chooser()->selectedIndexes().isEmpty());
    EXPECT_EQ(preview->contact(), chooser()->nameTable()->at(0));
    clickCancel();
}

// The chooser's table shows an ImportNameTableModel: one "Name" column, a row
// per card with its name or the nameless placeholder, and a small picture.
TEST_F(ImportCommand, ImportNameTableModelListsEveryCardByName)
{
    answer(writeFile(u"names.vcf"_s, cards(3, "Host") + "BEGIN:VCARD\r\nVERSION:3.0\r\nTEL:03-1234\r\nEND:VCARD\r\n"));
    m_window.fileCommands()->importFromVCard();
    ASSERT_TRUE(chooser());
    QTableView *table = chooser()->nameTableView();
    const auto *model = qobject_cast<const ImportNameTableModel *>(table->model());
    ASSERT_TRUE(model);
    EXPECT_EQ(model->rowCount(), 4);
    EXPECT_EQ(model->columnCount(), 1);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), u"Name"_s);
    EXPECT_EQ(chooserNames(), (QStringList{u"0 Host"_s, u"1 Host"_s, u"2 Host"_s, u"No name"_s}));
    const QImage picture = model->index(3, 0).data(Qt::DecorationRole).value<QImage>();
    EXPECT_FALSE(picture.isNull());
    EXPECT_LE(qMax(picture.width(), picture.height()), ImportNameTableModel::iconSize);
    Screenshot::grab(chooser());
    for (int row : {3, 1}) {
        clickRow(row);
        EXPECT_EQ(chooser()->contactInfoController()->contact(), model->nameTable()->at(row)) << row;
        EXPECT_EQ(chooser()->selectedIndexes(), QList<int>{row});
    }
    clickCancel();
}

TEST_F(ImportCommand, CsvFileImports)
{
    answer(TestEnvironment::dataPath(u"csv/thunderbird__basic_addressbook.csv"_s));
    m_window.fileCommands()->importFromCSV();
    ASSERT_TRUE(chooser());
    EXPECT_FALSE(chooserNames().isEmpty());
    const qsizetype offered = chooserNames().size();
    clickSelect();
    EXPECT_EQ(top()->contactTable->size(), 10 + offered);
}

struct BadFileRow {
    const char *name;
    bool csv;
    std::function<QString(FileCommandsTest &)> make;
    QString informative;
};

class BadImportFile : public ImportCommand, public testing::WithParamInterface<BadFileRow> {
public:
    QString makeFile() { return GetParam().make(*this); }
};

TEST_P(BadImportFile, AlertsAndAddsNothing)
{
    answer(makeFile());
    if (GetParam().csv)
        m_window.fileCommands()->importFromCSV();
    else
        m_window.fileCommands()->importFromVCard();
    EXPECT_FALSE(chooser());
    ASSERT_EQ(m_alerts.alerts.size(), 1);
    EXPECT_EQ(m_alerts.alerts.first().messageText, u"Couldn't read the file."_s);
    EXPECT_EQ(m_alerts.alerts.first().informativeText, GetParam().informative);
    EXPECT_EQ(top()->contactTable->size(), 10);
    EXPECT_FALSE(m_window.fileCommands()->fileCommandRunning());
}

INSTANTIATE_TEST_SUITE_P(Files, BadImportFile,
    testing::Values(
        BadFileRow{"NoCard", false, [](FileCommandsTest &t) { return t.writeFile(u"none.vcf"_s, "hello\r\n"); },
            u"Please make sure the file is vCard 2.1/3.0 file."_s},
        BadFileRow{"Binary", false,
            [](FileCommandsTest &t) { return t.writeFile(u"image.vcf"_s, QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11)); },
            u"The file “image.vcf” is not a text file."_s},
        BadFileRow{"Fifo", false,
            [](FileCommandsTest &t) {
                const QString path = t.writeFile(u"placeholder"_s, {}) + u".fifo"_s;
                EXPECT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
                return path;
            },
            u"“placeholder.fifo” is not a regular file."_s},
        BadFileRow{"SparseOverTheLimit", false,
            [](FileCommandsTest &t) {
                const QString path = t.writeFile(u"huge.vcf"_s, "BEGIN:VCARD\r\n");
                QFile file(path);
                EXPECT_TRUE(file.resize(ImportFileReader::maximumBytes + 1));
                return path;
            },
            u"“huge.vcf” is too large to import (129 MB; at most 128 MB)."_s},
        BadFileRow{"CsvBinary", true,
            [](FileCommandsTest &t) { return t.writeFile(u"image.csv"_s, QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11)); },
            u"Please make sure the file is a valid CSV file.\n\nThe file “image.csv” is not a text file."_s},
        BadFileRow{"CsvNoRecord", true, [](FileCommandsTest &t) { return t.writeFile(u"empty.csv"_s, "\n"); },
            u"Please make sure the file is a valid CSV file."_s}),
    [](const testing::TestParamInfo<BadFileRow> &info) { return std::string(info.param.name); });

// A card saved under any name is read as vCard by its content, whichever
// import command picked it; the vCard command's chooser lists text files.
struct CardUnderAnyNameRow {
    const char *name;
    bool csvCommand;
    QString fileName;
    QByteArray bytes;
};

class CardUnderAnyName : public ImportCommand, public testing::WithParamInterface<CardUnderAnyNameRow> { };

TEST_P(CardUnderAnyName, ImportsAsVCard)
{
    answer(writeFile(GetParam().fileName, GetParam().bytes));
    if (GetParam().csvCommand) {
        m_window.fileCommands()->importFromCSV();
    } else {
        m_window.fileCommands()->importFromVCard();
        ASSERT_EQ(m_requests.size(), 1);
        EXPECT_TRUE(m_requests.first().nameFilters.join(u' ').contains(u"*.txt"_s));
    }
    ASSERT_TRUE(chooser()) << qPrintable(alertTexts().join(u'\n'));
    EXPECT_EQ(chooserNames(), (QStringList{u"0 Guest"_s, u"1 Guest"_s}));
    clickSelect();
    EXPECT_EQ(top()->contactTable->size(), 12);
}

QByteArray utf16WithMark(const QByteArray &latin1)
{
    QStringEncoder encoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    return encoder.encode(QString::fromLatin1(latin1));
}

INSTANTIATE_TEST_SUITE_P(Files, CardUnderAnyName,
    testing::Values(CardUnderAnyNameRow{"TxtByTheVCardCommand", false, u"phone.txt"_s, cards(2)},
        CardUnderAnyNameRow{"TxtByTheCsvCommand", true, u"phone.txt"_s, "\xEF\xBB\xBF\r\n" + cards(2)},
        CardUnderAnyNameRow{"Utf16TxtByTheCsvCommand", true, u"phone16.txt"_s, utf16WithMark(" \r\n" + cards(2))},
        CardUnderAnyNameRow{"CsvNamedByTheCsvCommand", true, u"cards.csv"_s, cards(2)}),
    [](const testing::TestParamInfo<CardUnderAnyNameRow> &info) { return std::string(info.param.name); });

// A cancelled job keeps running until its next card; what it posts then must
// not close the progress window of the import that followed.
TEST_F(ImportCommand, CancelledLargeFileAddsNothingAndItsPostsMissTheNextImport)
{
    const QByteArray big = cards(360000);
    ASSERT_GT(big.size(), 20 * 1000 * 1000);
    answer(writeFile(u"big.vcf"_s, big));
    cancelProgressWhenShown();
    m_window.fileCommands()->importFromVCard();
    EXPECT_FALSE(chooser());
    EXPECT_TRUE(m_alerts.alerts.isEmpty());
    EXPECT_FALSE(m_window.fileCommands()->fileCommandRunning());

    answer(writeFile(u"big2.vcf"_s, big.left(big.size() / 4) + cards(1, "Last")));
    m_window.fileCommands()->importFromVCard();
    ASSERT_TRUE(chooser()) << qPrintable(alertTexts().join(u'\n'));
    EXPECT_EQ(chooserNames().last(), u"0 Last"_s);
    clickCancel();
    EXPECT_EQ(top()->contactTable->size(), 10);
    EXPECT_FALSE(m_window.isWindowModified());
}

TEST_F(ImportCommand, ImportNeedsAShownGroupAndAnAddressBookLoaded)
{
    m_window.validateMenus();
    EXPECT_TRUE(m_window.fileCommands()->fileAction(u"importFromVCard"_s)->isEnabled());
    EXPECT_FALSE(m_window.fileCommands()->fileAction(u"exportToCSV"_s)->isEnabled());
    EXPECT_FALSE(m_window.fileCommands()->fileAction(u"saveDocumentAs"_s)->isEnabled());
    m_controller.setAddressBookLoading(true);
    m_window.validateMenus();
    EXPECT_FALSE(m_window.fileCommands()->fileAction(u"importFromVCard"_s)->isEnabled());
    EXPECT_FALSE(m_window.fileCommands()->fileAction(u"importFromCSV"_s)->isEnabled());
    m_controller.setAddressBookLoading(false);
    m_controller.setSelectedGroupDict(nullptr);
    m_window.validateMenus();
    EXPECT_FALSE(m_window.fileCommands()->fileAction(u"importFromCSV"_s)->isEnabled());
}

} // namespace
