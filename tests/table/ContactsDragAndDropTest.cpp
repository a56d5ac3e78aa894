#include "TableTestSupport.h"

#include "common/DragEvents.h"
#include "common/Screenshot.h"
#include "model/MVPerson.h"
#include "platform/contacts/ContactLabels.h"
#include "table/ContactTableModel.h"
#include "table/ContactsDragAndDrop.h"
#include "table/ContactsViewController.h"
#include "table/DragTypes.h"
#include "table/DraggingMimeData.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace TableTest;

namespace {

const QString home = ContactLabels::home;
const QString work = ContactLabels::work;

// Ann has two phones (rows 0 and 1), Bo one, Cy two (rows 3 and 4), Dee one.
ContactTablePtr fourContacts()
{
    StoreContact ann = person("Ann", "Lee");
    setPhones(ann, {{home, "03-1111"}, {work, "03-2222"}});
    StoreContact bo = person("Bo");
    setPhones(bo, {{home, "03-3333"}});
    StoreContact cy = person("Cy");
    setPhones(cy, {{home, "03-4444"}, {work, "03-5555"}});
    StoreContact dee = company("Dee, Ltd.");
    setPhones(dee, {{work, "03-6666"}});
    return table({ann, bo, cy, dee});
}

class ContactsDragAndDropTest : public TableTestCase {
protected:
    void show(ContactsViewController &controller, RecordingDelegate &recording, const ContactTablePtr &contacts)
    {
        controller.resize(600, 300);
        controller.show();
        controller.setDelegate(&recording);
        controller.setContactTable(contacts);
        controller.setSelectedLabels({"All"});
        controller.setColumnIdentifiers({"Name", "Phone"});
        controller.setSortDescriptors({});
        controller.updateSubContactTable();
        controller.reload();
    }
    void SetUp() override
    {
        TableTestCase::SetUp();
        show(controller, delegate, fourContacts());
    }
    [[nodiscard]] QWidget *viewport(ContactsViewController &target) const { return target.tableView()->viewport(); }
    // Between the row and the one above it.
    [[nodiscard]] static QPoint above(ContactsViewController &target, int row)
    {
        return target.tableView()->visualRect(target.model()->index(row, 1)).topLeft() + QPoint(20, 1);
    }
    [[nodiscard]] static QPoint onto(ContactsViewController &target, int row)
    {
        return target.tableView()->visualRect(target.model()->index(row, 1)).center();
    }
    [[nodiscard]] std::unique_ptr<QMimeData> dragOf(const QList<int> &rows) const
    {
        return std::unique_ptr<QMimeData>(controller.dragAndDrop()->mimeDataForRows(rows));
    }

    RecordingDelegate delegate;
    ContactsViewController controller;
};

TEST_F(ContactsDragAndDropTest, CopyWritesEachSelectedRowAtItsOwnPosition)
{
    controller.selectRowIndexes({0, 1});
    ASSERT_TRUE(controller.copy());
    const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
    EXPECT_EQ(copied->text().toStdString(), "\"Ann Lee\"\thome:03-1111\n\"Ann Lee\"\twork:03-2222");
    EXPECT_EQ(QString::fromUtf8(copied->data(DragType::tabSeparatedValues)), copied->text());
    EXPECT_FALSE(copied->hasFormat(DragType::csv));
}

TEST_F(ContactsDragAndDropTest, CopyAsCSVQuotesAComma)
{
    controller.selectRowIndexes({5});
    ASSERT_TRUE(controller.copyAsCSV());
    const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
    EXPECT_EQ(copied->text().toStdString(), "\"Dee, Ltd.\", work:03-6666");
    EXPECT_EQ(QString::fromUtf8(copied->data(DragType::csv)), copied->text());
}

TEST_F(ContactsDragAndDropTest, CopyWithoutASelectedRowLeavesTheClipboard)
{
    QGuiApplication::clipboard()->setText("kept");
    controller.selectRowIndexes({});
    EXPECT_FALSE(controller.copy());
    EXPECT_FALSE(controller.copyAsCSV());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "kept");
}

TEST_F(ContactsDragAndDropTest, ADragOfTwoRowsCarriesTheirPositionsAndTheFirstRowsLabelPosition)
{
    const auto data = dragOf({4, 1});
    EXPECT_EQ(data->data(DragType::stringIndexes), "1,4");
    EXPECT_EQ(DragType::labelIndexOf(data.get()), 1);
    EXPECT_EQ(DraggingMimeData::sourceOf(data.get()), controller.tableView());
    // Name, e-mail, phone and 15 empty fields more: the contacts' first values.
    const std::string empty(15, '\t');
    EXPECT_EQ(data->text().toStdString(), "\"Ann Lee\"\t\thome:03-1111" + empty + "\nCy\t\thome:03-4444" + empty);
}

TEST_F(ContactsDragAndDropTest, TwoRowsOfOneContactCarryItOnce)
{
    const auto data = dragOf({0, 1});
    EXPECT_EQ(data->text().count(u'\n'), 0);
    const QString vCards = QString::fromUtf8(data->data(DragType::vCard));
    EXPECT_EQ(vCards.count("BEGIN:VCARD"), 1);
    EXPECT_TRUE(vCards.contains("03-2222"));
    EXPECT_TRUE(vCards.endsWith("\r\n"));
}

TEST_F(ContactsDragAndDropTest, TheFileLiesInAFolderOfItsOwnAndAPlantedLinkStaysUntouched)
{
    const QString planted = QDir::temp().filePath(ContactsDragAndDrop::draggingFileName);
    QTemporaryDir elsewhere;
    const QString victim = elsewhere.filePath("victim.txt");
    QFile file(victim);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("precious");
    file.close();
    QFile::remove(planted);
    ASSERT_TRUE(QFile::link(victim, planted));

    const auto data = dragOf({2});
    ASSERT_EQ(data->urls().size(), 1);
    const QString path = data->urls().first().toLocalFile();
    QFile::remove(planted);
    EXPECT_EQ(QFileInfo(path).fileName(), "draggingContacts.vcf");
    const QFileInfo folder(QFileInfo(path).absolutePath());
    EXPECT_NE(folder.absoluteFilePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
    EXPECT_EQ(folder.permissions()
            & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther
                | QFile::ExeOther),
        QFile::Permissions());
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), data->data(DragType::vCard));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "precious");

    // The next drag takes the folder away.
    const auto next = dragOf({3});
    EXPECT_FALSE(QFileInfo::exists(path));
}

// A press that works a cell's check box or label pop-up starts no drag.
TEST_F(ContactsDragAndDropTest, APressOnACellsControlStartsNoDrag)
{
    controller.setColumnIdentifiers({"Sender", "Name", "Phone"});
    controller.updateSubContactTable();
    controller.reload();
    QTableView *view = controller.tableView();
    const auto pressAt = [&](int column, int x) {
        const QRect cell = view->visualRect(controller.model()->index(0, column));
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, QPoint(cell.left() + x, cell.center().y()));
        const bool dragging = view->dragEnabled();
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, QPoint(cell.left() + x, cell.center().y()));
        return dragging;
    };
    EXPECT_FALSE(pressAt(0, 10));
    EXPECT_FALSE(pressAt(2, 8));
    EXPECT_TRUE(pressAt(1, 30));
    EXPECT_TRUE(pressAt(2, view->columnWidth(2) - 4));
    EXPECT_TRUE(view->dragEnabled());
}

TEST_F(ContactsDragAndDropTest, AMoveOutOfTheTableLeavesEveryRow)
{
    const qsizetype rows = controller.subContactTable().size();
    EXPECT_TRUE(controller.model()->supportedDragActions().testFlag(Qt::MoveAction));
    EXPECT_FALSE(controller.model()->removeRows(1, 2));
    EXPECT_EQ(controller.subContactTable().size(), rows);
}

TEST_F(ContactsDragAndDropTest, OwnRowsAreRefusedAndAnotherTablesRowsAddedBetweenRows)
{
    const auto own = dragOf({0});
    EXPECT_FALSE(DragEvents::move(viewport(controller), above(controller, 2), own.get()));

    RecordingDelegate otherDelegate;
    ContactsViewController other;
    show(other, otherDelegate, generatedTable(3));
    const auto theirs = std::unique_ptr<QMimeData>(other.dragAndDrop()->mimeDataForRows({0}));
    EXPECT_TRUE(DragEvents::move(viewport(controller), above(controller, 2), theirs.get()));
    EXPECT_TRUE(DragEvents::drop(viewport(controller), above(controller, 2), theirs.get()));
    ASSERT_EQ(delegate.vCards.size(), 1);
    EXPECT_EQ(delegate.vCards.first(), QString::fromUtf8(theirs->data(DragType::vCard)));
    Screenshot::grab(&controller);
}

struct RefusedDrop {
    const char *name;
    bool editState;
    bool ontoRow;
    bool atFooter;
};

class RefusedDropTest : public ContactsDragAndDropTest, public testing::WithParamInterface<RefusedDrop> { };

TEST_P(RefusedDropTest, AnotherTablesRowsAreRefused)
{
    RecordingDelegate otherDelegate;
    ContactsViewController other;
    show(other, otherDelegate, generatedTable(2));
    const auto theirs = std::unique_ptr<QMimeData>(other.dragAndDrop()->mimeDataForRows({0}));
    controller.setEditState(GetParam().editState);
    const int footer = int(controller.subContactTable().size());
    const QPoint point = GetParam().atFooter ? above(controller, footer)
        : GetParam().ontoRow                 ? onto(controller, 2)
                                             : above(controller, 2);
    EXPECT_FALSE(DragEvents::drop(viewport(controller), point, theirs.get()));
    EXPECT_TRUE(delegate.vCards.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Rows, RefusedDropTest,
    testing::Values(RefusedDrop{"locked", false, false, false}, RefusedDrop{"ontoARow", true, true, false},
        RefusedDrop{"atTheFooter", true, false, true}),
    [](const testing::TestParamInfo<RefusedDrop> &info) { return std::string(info.param.name); });

TEST_F(ContactsDragAndDropTest, AnEmptyTableTakesADropAnywhere)
{
    RecordingDelegate emptyDelegate;
    ContactsViewController empty;
    show(empty, emptyDelegate, std::make_shared<ContactTable>());
    QMimeData outside;
    outside.setData(DragType::oldVCard, "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Eve\r\nN:;Eve;;;\r\nEND:VCARD\r\n");
    EXPECT_TRUE(DragEvents::drop(viewport(empty), QPoint(40, 40), &outside));
    ASSERT_EQ(emptyDelegate.vCards.size(), 1);
    EXPECT_TRUE(emptyDelegate.vCards.first().contains("FN:Eve"));
}

// The drop answers what the window made of the card: a card that added no
// contact leaves the drag's source its data.
TEST_F(ContactsDragAndDropTest, ACardTheWindowAddsNothingFromIsRefused)
{
    QMimeData outside;
    outside.setData(DragType::vCard, "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Eve\r\nN:;Eve;;;\r\nEND:VCARD\r\n");
    delegate.takesVCards = false;
    EXPECT_FALSE(DragEvents::drop(viewport(controller), above(controller, 1), &outside));
    EXPECT_EQ(delegate.vCards.size(), 1);
    delegate.takesVCards = true;
    EXPECT_TRUE(DragEvents::drop(viewport(controller), above(controller, 1), &outside));
    EXPECT_EQ(delegate.vCards.size(), 2);
}

TEST_F(ContactsDragAndDropTest, DataFromOutsideWithoutACardOrFileIsRefused)
{
    QMimeData text;
    text.setText("just words");
    EXPECT_FALSE(DragEvents::drop(viewport(controller), above(controller, 1), &text));
    EXPECT_TRUE(delegate.vCards.isEmpty());
}

// A file from a phone, in Shift_JIS, dropped from a file manager.
TEST_F(ContactsDragAndDropTest, AVCardFileGivesItsJapaneseNamesAsOneStep)
{
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QStringLiteral(QUILLMARK_TEST_DATA "/vcard/aosp__v21_japanese_1.vcf"))});
    EXPECT_TRUE(DragEvents::drop(viewport(controller), above(controller, 1), &files));
    ASSERT_EQ(delegate.droppedContacts.size(), 1);
    ASSERT_EQ(delegate.droppedContacts.first().size(), 1);
    EXPECT_EQ(delegate.droppedContacts.first().first()->person->nameValue()->lastName, u"安藤ロイド");
}

// The files' heads are looked at once per drag, and again for the next one:
// a list saved over with a card is taken then.
TEST_F(ContactsDragAndDropTest, EachNewDragLooksIntoItsFilesAgain)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("contacts.txt"));
    const auto save = [&path](const QByteArray &bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    };
    save("Name,Phone\nZed,03\n");
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(path)});
    EXPECT_FALSE(DragEvents::move(viewport(controller), above(controller, 1), &files));
    save("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Quill;Zed;;;\r\nEND:VCARD\r\n");
    EXPECT_TRUE(DragEvents::drop(viewport(controller), above(controller, 1), &files));
    ASSERT_EQ(delegate.droppedContacts.size(), 1);
    EXPECT_EQ(delegate.droppedContacts.first().first()->person->nameValue()->firstName, u"Zed");
}

struct FileReadingRunRow {
    const char *name;
    bool runs; // the runner lets the reading end
    bool cancels; // then answers that the user cancelled
    qsizetype dropped;
};

class FileReadingRun : public ContactsDragAndDropTest, public testing::WithParamInterface<FileReadingRunRow> { };

// The window's runner reads the files; a reading the user cancelled adds
// nothing, even when it had read them all.
TEST_P(FileReadingRun, OnlyAReadingThatEndedHandsItsContactsOver)
{
    QStringList messages;
    QList<double> reports;
    controller.dragAndDrop()->setFileReadingRunner(
        [&](const QString &message, const std::function<void(const DroppedFileReader::Report &)> &work,
            const std::function<bool()> &handOver) {
            messages.append(message);
            if (GetParam().runs)
                work([&reports](double percent) {
                    reports.append(percent);
                    return true;
                });
            return GetParam().runs && !GetParam().cancels && handOver();
        });
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QStringLiteral(QUILLMARK_TEST_DATA "/vcard/aosp__v21_japanese_1.vcf"))});
    EXPECT_EQ(DragEvents::drop(viewport(controller), above(controller, 1), &files), GetParam().dropped > 0);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Reading the file: aosp__v21_japanese_1.vcf")});
    EXPECT_EQ(delegate.droppedContacts.size(), GetParam().dropped);
    if (GetParam().runs) {
        ASSERT_FALSE(reports.isEmpty());
        EXPECT_EQ(reports.last(), 100.0);
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, FileReadingRun,
    testing::Values(FileReadingRunRow{"Ended", true, false, 1},
        FileReadingRunRow{"CancelledBeforeReading", false, true, 0},
        FileReadingRunRow{"CancelledAfterReading", true, true, 0}),
    [](const testing::TestParamInfo<FileReadingRunRow> &info) { return std::string(info.param.name); });

// Cancelled, the reading stops at once: no further file is read.
TEST(DroppedFileReaderTest, StopsOnceTheReportAnswersCancelled)
{
    const QString card = QStringLiteral(QUILLMARK_TEST_DATA "/vcard/aosp__v21_japanese_1.vcf");
    int reports = 0;
    const DroppedFileReader::Result read = DroppedFileReader::read({card, card}, [&reports](double) {
        ++reports;
        return false;
    });
    EXPECT_EQ(reports, 1);
    EXPECT_TRUE(read.contacts.isEmpty());
    EXPECT_EQ(DroppedFileReader::read({card, card}).contacts.size(), 2);
}

struct RefusedFile {
    const char *name;
    QByteArray content;
    QString fileName;
    bool remote;
};

class RefusedFileTest : public ContactsDragAndDropTest, public testing::WithParamInterface<RefusedFile> { };

TEST_P(RefusedFileTest, NothingIsAdded)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(GetParam().fileName);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(GetParam().content);
    file.close();
    QMimeData files;
    files.setUrls({GetParam().remote ? QUrl(QStringLiteral("https://example.com/a.vcf")) : QUrl::fromLocalFile(path)});
    EXPECT_FALSE(DragEvents::drop(viewport(controller), above(controller, 1), &files));
    EXPECT_TRUE(delegate.droppedContacts.isEmpty());
    EXPECT_TRUE(delegate.vCards.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Files, RefusedFileTest,
    testing::Values(RefusedFile{"aTextFile", "just a note\n", QStringLiteral("note.txt"), false},
        RefusedFile{"aCardFileWithoutCards", "nothing here\n", QStringLiteral("empty.vcf"), false},
        RefusedFile{"aRemoteFile", "BEGIN:VCARD\r\nEND:VCARD\r\n", QStringLiteral("a.vcf"), true}),
    [](const testing::TestParamInfo<RefusedFile> &info) { return std::string(info.param.name); });

} // namespace
