// ZIP ▸ Paste on a row below a contact's addresses: on the row right after
// its last address the hit becomes a new address that this row shows, and a
// second Paste there edits it; further down Paste is not offered, since a
// new address would land on a row above the one the user pointed at.
#include "TableEditingFixture.h"

#include "../interchange/PostalTestFiles.h"
#include "app/AppDelegate.h"
#include "app/ZipSheetCommand.h"
#include "interchange/PostalDatabase.h"
#include "interchange/widgets/ZipSheetController.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

class ZipPasteRow : public TableEditingTest {
protected:
    void SetUp() override
    {
        TableEditingTest::SetUp();
        static const std::shared_ptr<const PostalDatabase> database
            = PostalTestFiles::database(u"zip-paste-row"_s, PostalTestFiles::toyamaAreaLines());
        window().zipSheetCommand()->setPostalDatabase(database);
        m_first = firstRows().first();
    }

    // The first contact with three phones and the given number of addresses
    // (zero or one), outside the undo history.
    void shapeContact(int addresses) { shapeContact(addresses, {}); }
    // The same with the addresses of these labels and postal codes.
    void shapeContact(const QList<std::pair<QString, QString>> &labelsAndZips) { shapeContact(0, labelsAndZips); }
    void shapeContact(int addresses, const QList<std::pair<QString, QString>> &labelsAndZips)
    {
        MVPerson &shaped = person(m_first);
        shaped.setValue(LabeledValueList{}, FieldId::Phone);
        for (const QString &number : {u"111"_s, u"222"_s, u"333"_s}) {
            LabeledValueRecord phone;
            phone.label = u"home"_s;
            phone.value = number;
            shaped.addLabeledValue(phone, FieldId::Phone);
        }
        LabeledValueList kept;
        if (addresses > 0) {
            auto address = std::make_shared<LabeledValueRecord>();
            address->label = u"work"_s;
            address->value = std::monostate();
            address->address->zip = u"604-8571"_s;
            address->address->state = u"京都府"_s;
            address->address->city = u"京都市中京区"_s;
            address->labelIndex = 0;
            kept.append(address);
        }
        for (const auto &[label, zip] : labelsAndZips) {
            auto address = std::make_shared<LabeledValueRecord>();
            address->label = label;
            address->address->zip = zip;
            address->labelIndex = kept.size();
            kept.append(address);
        }
        shaped.setValue(kept, FieldId::Address);
        table().updateTable();
        endTurn();
        ASSERT_EQ(row(m_first + 2)->labelIndex, 2);
        ASSERT_EQ(row(m_first + 2)->person, row(m_first)->person);
    }

    // The row clicked, the ZIP button pressed and the postal code typed into
    // the sheet, its one hit chosen.
    ZipSheetController *searchFrom(int index, const QString &code)
    {
        click(FieldId::Company, index);
        endTurn();
        window().validateMenus();
        QTest::mouseClick(window().zipButton(), Qt::LeftButton);
        ZipSheetController *sheet = window().zipSheetCommand()->zipSheetController();
        if (!sheet || !sheet->isVisible())
            return nullptr;
        sheet->inputField()->selectAll();
        QTest::keyClicks(sheet->inputField(), code);
        QTableView *hits = sheet->tableView();
        if (hits->model()->rowCount() != 1)
            return nullptr;
        QTest::mouseClick(hits->viewport(), Qt::LeftButton, {}, hits->visualRect(hits->model()->index(0, 2)).center());
        return sheet;
    }

    void paste(ZipSheetController *sheet)
    {
        ASSERT_TRUE(sheet->pasteButton()->isEnabled());
        QTest::mouseClick(sheet->pasteButton(), Qt::LeftButton);
        endTurn();
    }

    // What the table shows in the column's cell of the row.
    [[nodiscard]] QString shown(const ContactIdentifier &identifier, int index) const
    {
        return view()->model()->index(index, column(identifier)).data().toString();
    }
    [[nodiscard]] QStringList zips() const
    {
        QStringList codes;
        for (const LabeledValueRecordPtr &address : *person(m_first).labeledValues(FieldId::Address))
            codes.append(address->addressParts().zip);
        return codes;
    }

    // The label chosen in the toolbar's labels menu, as the user does.
    void selectLabel(const QString &label)
    {
        QMenu *labels = window().labelsPopup()->menu();
        Q_EMIT labels->aboutToShow();
        for (QAction *item : labels->actions()) {
            if (item->data().toString() == label) {
                item->trigger();
                endTurn();
                return;
            }
        }
        ADD_FAILURE() << qPrintable(label);
    }
    // The labelIndex of each postcard layout the contact holds.
    [[nodiscard]] static QList<qint64> layoutIndexes(MVPerson &person)
    {
        QList<qint64> indexes;
        for (const HagakiLayoutRecordPtr &layout : *person.hagakiLayouts())
            indexes.append(layout->labelIndex);
        return indexes;
    }
    // Saves, and the layouts of the contact as a new start reads them.
    [[nodiscard]] QList<qint64> savedLayoutIndexes()
    {
        const QString id = row(m_first)->uniqueId;
        m_app.delegate().saveAction()->trigger();
        endTurn();
        const MVPersonPtr stored = storedPerson(m_book, id);
        return stored ? layoutIndexes(*stored) : QList<qint64>{-100};
    }

    int m_first = 0;
};

TEST_F(ZipPasteRow, RightAfterTheLastAddressPasteAddsTheAddressThatRowShowsAndThenEditsIt)
{
    shapeContact(1);
    const int target = m_first + 1;
    ZipSheetController *sheet = searchFrom(target, u"1010021"_s);
    ASSERT_NE(sheet, nullptr);
    paste(sheet);
    EXPECT_EQ(zips(), (QStringList{u"604-8571"_s, u"101-0021"_s}));
    EXPECT_EQ(shown(FieldId::ZIP, target), u"101-0021"_s);
    EXPECT_TRUE(window().isWindowModified());

    sheet = searchFrom(target, u"1000001"_s);
    ASSERT_NE(sheet, nullptr);
    paste(sheet);
    EXPECT_EQ(zips(), (QStringList{u"604-8571"_s, u"100-0001"_s}));
    EXPECT_EQ(shown(FieldId::ZIP, target), u"100-0001"_s);
    EXPECT_EQ(shown(FieldId::ZIP, m_first), u"604-8571"_s);

    // One step each.
    undoOnce();
    EXPECT_EQ(zips(), (QStringList{u"604-8571"_s, u"101-0021"_s}));
    undoOnce();
    EXPECT_EQ(zips(), QStringList{u"604-8571"_s});
}

// The contact has three phones and no address: its first row takes the new
// address, its third is offered no Paste.
TEST_F(ZipPasteRow, FurtherDownPasteIsNotOfferedAndNothingIsAdded)
{
    shapeContact(0);
    ZipSheetController *sheet = searchFrom(m_first + 2, u"1010021"_s);
    ASSERT_NE(sheet, nullptr);
    EXPECT_FALSE(sheet->pasteButton()->isEnabled());
    QTest::mouseClick(sheet->cancelButton(), Qt::LeftButton);
    endTurn();
    EXPECT_EQ(zips(), QStringList());
    EXPECT_FALSE(undoManager().canUndo());

    sheet = searchFrom(m_first, u"1010021"_s);
    ASSERT_NE(sheet, nullptr);
    paste(sheet);
    EXPECT_EQ(zips(), QStringList{u"101-0021"_s});
    EXPECT_EQ(shown(FieldId::ZIP, m_first), u"101-0021"_s);
    EXPECT_EQ(shown(FieldId::ZIP, m_first + 2), QString());
}

// The label filter shows only "home": the second row's ZIP cell is empty
// because the work address is hidden there, and Paste leaves that address
// as the cell's own editing does.
TEST_F(ZipPasteRow, AnAddressTheLabelFilterHidesIsNeitherOfferedNorReplaced)
{
    shapeContact({{u"home"_s, u"604-8571"_s}, {u"work"_s, u"930-0001"_s}});
    selectLabel(u"home"_s);
    ASSERT_EQ(shown(FieldId::ZIP, m_first), u"604-8571"_s);
    ASSERT_EQ(shown(FieldId::ZIP, m_first + 1), QString());

    ZipSheetController *sheet = searchFrom(m_first + 1, u"1010021"_s);
    ASSERT_NE(sheet, nullptr);
    EXPECT_FALSE(sheet->pasteButton()->isEnabled());
    // Nor does an answer of Paste reach it.
    sheet->done(ZipSheetController::PasteCode);
    endTurn();
    EXPECT_EQ(zips(), (QStringList{u"604-8571"_s, u"930-0001"_s}));
    EXPECT_FALSE(undoManager().canUndo());

    // The shown address takes the hit.
    sheet = searchFrom(m_first, u"1010021"_s);
    ASSERT_NE(sheet, nullptr);
    paste(sheet);
    EXPECT_EQ(zips(), (QStringList{u"101-0021"_s, u"930-0001"_s}));

    // Shown again, the work address takes it too.
    selectLabel(u"All"_s);
    sheet = searchFrom(m_first + 1, u"1000001"_s);
    ASSERT_NE(sheet, nullptr);
    paste(sheet);
    EXPECT_EQ(zips(), (QStringList{u"101-0021"_s, u"100-0001"_s}));
}

// An address a Paste adds gets no layout of its own, as any address added
// to a contact, after the Paste and again after its Undo and Redo; the two
// contacts are held and saved alike.
TEST_F(ZipPasteRow, UndoAndRedoOfAPasteThatAddedAnAddressGiveTheSameLayouts)
{
    const QStringList shaped{u"604-8571"_s, u"930-0001"_s};
    const QStringList added{u"604-8571"_s, u"930-0001"_s, u"101-0021"_s};
    const auto pasteAddress = [&] {
        shapeContact({{u"home"_s, shaped.at(0)}, {u"work"_s, shaped.at(1)}});
        ZipSheetController *sheet = searchFrom(m_first + 2, u"1010021"_s);
        ASSERT_NE(sheet, nullptr);
        paste(sheet);
        ASSERT_EQ(zips(), added);
    };
    pasteAddress();
    const QList<qint64> pasted = layoutIndexes(person(m_first));
    const QList<qint64> saved = savedLayoutIndexes();
    EXPECT_EQ(pasted, (QList<qint64>{0, 1}));

    // Saving ends the undo history: a second contact takes the same Paste.
    m_first = firstRows().at(1);
    pasteAddress();
    undoOnce();
    ASSERT_EQ(zips(), shaped);
    mainView().redo();
    endTurn();
    ASSERT_EQ(zips(), added);
    EXPECT_EQ(layoutIndexes(person(m_first)), pasted);
    EXPECT_EQ(savedLayoutIndexes(), saved);
}

} // namespace
