#include "common/Screenshot.h"

#include "editors/RenmeiViewController.h"
#include "editors/SimpleInfoPanelController.h"
#include "editors/SimpleInfoTableModel.h"
#include "model/MVPerson.h"
#include "platform/UndoManager.h"
#include "platform/UserDefaults.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

enum Row { LastName, FirstName, Renmei, Company, ZIP, State, City, Street, Note };

ContactRecordPtr shownContact(const QString &first)
{
    MVPersonPtr person = MVPerson::init();
    person->setValue(first, FieldId::FirstName);
    person->setValue(QStringLiteral("山田"), FieldId::LastName);
    return ContactRecord::makeWithPerson(person);
}

class SimpleInfoSheet : public testing::Test {
protected:
    void open(const PersonRecordPtr &contact = shownContact(QStringLiteral("Taro")), bool editable = true,
        const QHash<QString, QStringList> &labels = {})
    {
        m_context = std::make_shared<SimpleInfoContext>();
        m_context->contact = contact;
        m_context->labelTableDict = labels;
        m_sheet.setContextInfo(m_context, editable);
        m_sheet.open();
        m_sheet.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_sheet));
    }

    QLineEdit *startEditing(int row)
    {
        QWidget *viewport = m_sheet.tableView()->viewport();
        const QPoint centre = m_sheet.tableView()->visualRect(index(row)).center();
        // A double click reaches a view as a click followed by a double-click event.
        QTest::mouseClick(viewport, Qt::LeftButton, {}, centre);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, centre);
        // An editor just closed may linger until deleted; the new one has the focus.
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        return editor && editor->parentWidget() == viewport ? editor : nullptr;
    }

    // Types the text into a row's cell and ends with the key.
    void type(int row, const QString &text, Qt::Key end = Qt::Key_Return)
    {
        QLineEdit *editor = startEditing(row);
        ASSERT_NE(editor, nullptr) << "row " << row;
        editor->setText(text);
        QTest::keyClick(editor, end);
        QCoreApplication::processEvents(); // each edit its own undo step
    }

    // Opens the photo pull-down with a click and clicks one of its items.
    void choosePhotoItem(const QString &item)
    {
        QMenu *menu = m_sheet.imagePopup()->menu();
        QTimer::singleShot(0, menu, [menu, item] {
            for (QAction *action : menu->actions()) {
                if (action->text() == item)
                    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            }
            menu->close(); // never left open when the item is missing
        });
        QTest::mouseClick(m_sheet.imagePopup(), Qt::LeftButton);
    }

    [[nodiscard]] QImage shownPhoto() const { return m_sheet.imagePopup()->icon().pixmap(48, 48).toImage(); }

    [[nodiscard]] QModelIndex index(int row) const
    {
        return m_sheet.table()->index(row, SimpleInfoTableModel::ValueColumn);
    }
    [[nodiscard]] QString shown(int row) const { return index(row).data().toString(); }
    // The placeholders of the first name, last name (鈴木) and company.
    [[nodiscard]] QString placeholders() const
    {
        QStringList words;
        for (int row : {FirstName, LastName, Company})
            words.append(index(row).data(SimpleInfoTableModel::PlaceholderRole).toString());
        return words.join(u'|');
    }

    SimpleInfoPanelController m_sheet;
    SimpleInfoContextPtr m_context;
};

TEST_F(SimpleInfoSheet, NewContactEndsWithOneOnlyAfterAnEdit)
{
    QSignalSpy finished(&m_sheet, &QDialog::finished);
    open(nullptr);
    QTest::mouseClick(m_sheet.editButton(), Qt::LeftButton); // lock, which enables Done
    QTest::mouseClick(m_sheet.doneButton(), Qt::LeftButton);
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), 0);

    open(nullptr);
    // Empty name and address cells, and their editors, name what goes there.
    EXPECT_EQ(placeholders(), QStringLiteral("FirstName||"));
    QLineEdit *zip = startEditing(ZIP);
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(zip->placeholderText(), QStringLiteral("ZIP"));
    type(FirstName, QStringLiteral("Hanako"));
    EXPECT_EQ(placeholders(), QStringLiteral("||"));
    Screenshot::grab(&m_sheet, QStringLiteral("editing"));
    QTest::mouseClick(m_sheet.doneButton(), Qt::LeftButton);
    ASSERT_EQ(finished.size(), 2);
    EXPECT_EQ(finished.at(1).at(0).toInt(), 1);
    ASSERT_TRUE(m_context->newContact);
    const NameRecordPtr name = m_context->newContact->person->nameValue();
    EXPECT_EQ(name->lastName + u' ' + name->firstName, QStringLiteral("鈴木 Hanako"));
}

TEST_F(SimpleInfoSheet, PostalCodeFillsPrefectureAndCityOnlyIntoAnEmptyAddress)
{
    const struct {
        const char *state; // already in the address
        const char *typed;
        const char *shown; // postal code, prefecture, city, street
    } rows[] = {
        {"", "1000001", "1000001 東京都 千代田区 "},
        {"", "１０００００１", "１０００００１ 東京都 千代田区 "},
        {"大阪府", "1000001", "1000001 大阪府  "},
        {"", "0000000", "0000000   "},
        {"", "abc", "abc   "},
    };
    for (const auto &row : rows) {
        open();
        if (*row.state)
            type(State, QString::fromUtf8(row.state));
        type(ZIP, QString::fromUtf8(row.typed));
        EXPECT_EQ(QStringList({shown(ZIP), shown(State), shown(City), shown(Street)}).join(u' '), row.shown);
        QTest::mouseClick(m_sheet.cancelButton(), Qt::LeftButton);
    }
}

// Past the joint names.
TEST_F(SimpleInfoSheet, ReturnMovesToTheNextRow)
{
    for (const auto &[from, to] : {std::pair(Company, ZIP), std::pair(FirstName, Company), std::pair(Note, LastName)}) {
        open();
        type(from, QStringLiteral("x"));
        EXPECT_EQ(m_sheet.tableView()->currentIndex().row(), to) << from;
        EXPECT_NE(qobject_cast<QLineEdit *>(QApplication::focusWidget()), nullptr) << from;
        QTest::mouseClick(m_sheet.cancelButton(), Qt::LeftButton);
    }
}

TEST_F(SimpleInfoSheet, EditsAreUndoneOneByOneNeverReachTheShownContactAndEndWithCancelAndAFirstAddressIsUndoneWhole)
{
    const ContactRecordPtr contact = shownContact(QStringLiteral("Taro"));
    open(contact);
    type(Company, QStringLiteral("Acme"));
    type(FirstName, QStringLiteral("Jiro"));
    m_sheet.tableView()->setFocus();
    QTest::keyClick(m_sheet.tableView(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shown(FirstName), QStringLiteral("Taro"));
    EXPECT_EQ(shown(Company), QStringLiteral("Acme"));
    QTest::keyClick(m_sheet.tableView(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shown(Company), QString());
    QTest::keyClick(m_sheet.tableView(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(shown(Company), QStringLiteral("Acme"));
    EXPECT_EQ(contact->person->stringValues()->value(FieldId::Company), QString());

    // Cancel leaves nothing to undo on the next contact.
    type(FirstName, QStringLiteral("Jiro"));
    QTest::mouseClick(m_sheet.cancelButton(), Qt::LeftButton);
    // A window whose addresses know no "home".
    open(shownContact(QStringLiteral("Saburo")), true, {{FieldId::Address, {QStringLiteral("自宅")}}});
    m_sheet.tableView()->setFocus();
    QTest::keyClick(m_sheet.tableView(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shown(FirstName), QStringLiteral("Saburo"));

    // The first address takes the window's label, and its undo removes it.
    type(Street, QStringLiteral("1-1"));
    const MVPersonPtr person = m_sheet.table()->contact()->person;
    ASSERT_EQ(person->addressValues()->size(), 1);
    EXPECT_EQ(person->addressValues()->first()->label, QStringLiteral("自宅"));
    m_sheet.undoManager()->undo();
    EXPECT_TRUE(person->addressValues()->isEmpty());
}

TEST_F(SimpleInfoSheet, JointNamesPopoverResultReachesItsRow)
{
    open();
    startEditing(Renmei);
    ASSERT_TRUE(m_sheet.popover() && m_sheet.popover()->isShown());
    EXPECT_EQ(m_sheet.popover()->contentSize(), QSize(368, 260));
    auto *editor = qobject_cast<RenmeiViewController *>(m_sheet.popover()->contentWidget());
    ASSERT_NE(editor, nullptr);
    editor->contextInfo()->values = {QStringLiteral("花子"), QStringLiteral("一郎")};
    editor->contextInfo()->dirty = true;
    m_sheet.popover()->close();
    EXPECT_EQ(shown(Renmei), QStringLiteral("花子\n一郎"));
}

TEST_F(SimpleInfoSheet, PhotoPullDownShowsTheAddedPictureAndTheCompanyAfterDelete)
{
    QTemporaryDir dir;
    const QString wide = dir.filePath(QStringLiteral("wide.png"));
    QImage picture(1024, 512, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(wide));
    m_sheet.setImageFileChooser([&wide](QWidget *) { return wide; });
    ContactRecordPtr company = shownContact(QStringLiteral("Taro"));
    company->person->setValue(QStringLiteral("Acme"), FieldId::Company);
    company->person->nameValue()->showAsPerson = false;
    open(company);

    choosePhotoItem(QStringLiteral("Add"));
    EXPECT_EQ(m_sheet.thumbnail().size(), QSize(512, 512));
    EXPECT_EQ(shownPhoto().pixelColor(24, 24), QColor(Qt::red));
    EXPECT_FALSE(m_sheet.editButton()->isEnabled());
    EXPECT_TRUE(m_sheet.doneButton()->isEnabled());
    EXPECT_TRUE(company->person->photo().isNull());
    Screenshot::grab(&m_sheet, QStringLiteral("photo"));

    choosePhotoItem(QStringLiteral("Delete"));
    EXPECT_TRUE(m_sheet.thumbnail().isNull());
    const QImage companyImage = QIcon(QStringLiteral(":/CompanySquare.png")).pixmap(48, 48).toImage();
    EXPECT_EQ(shownPhoto().convertToFormat(companyImage.format()), companyImage);
}

// Two points larger than stored, at least seven, with room around it.
TEST_F(SimpleInfoSheet, FontComesFromTheSettings)
{
    const struct {
        bool named; // the settings name the application's font family
        QVariant size;
        double expected;
    } rows[] = {{true, 20, 22}, {true, 3, 7}, {true, QStringLiteral("x"), 7}, {false, 20, 13}};
    for (const auto &row : rows) {
        QTemporaryDir dir;
        UserDefaults defaults(dir.filePath(QStringLiteral("defaults.conf")));
        if (row.named)
            defaults.setObject(QFontInfo(QApplication::font()).family(), SimpleInfoPanelController::defaultFontNameKey);
        defaults.setObject(row.size, SimpleInfoPanelController::defaultFontSizeKey);
        m_sheet.updateFontInTableView(defaults);
        open();
        EXPECT_EQ(m_sheet.selectedFont().pointSizeF(), row.expected);
        EXPECT_EQ(index(Company).data(Qt::FontRole).value<QFont>().pointSizeF(), row.expected);
        EXPECT_GE(m_sheet.tableView()->rowHeight(Company), QFontMetrics(m_sheet.selectedFont()).height() + 4);
        EXPECT_GE(m_sheet.tableView()->rowHeight(Company), int(row.expected * 1.42) + 4);
        QTest::mouseClick(m_sheet.cancelButton(), Qt::LeftButton);
    }
}

TEST_F(SimpleInfoSheet, LockedCellsDoNotEditAndAThreeLineNoteIsThreeRowsHigh)
{
    const ContactRecordPtr contact = shownContact(QStringLiteral("Taro"));
    contact->person->setValue(QStringLiteral("one\ntwo\nthree"), FieldId::Note);
    open(contact, false);
    EXPECT_EQ(startEditing(FirstName), nullptr);
    EXPECT_EQ(m_sheet.tableView()->rowHeight(Note) - m_sheet.tableView()->rowHeight(Company),
        2 * m_sheet.table()->rowHeight());
    Screenshot::grab(&m_sheet, QStringLiteral("locked"));
}

} // namespace
