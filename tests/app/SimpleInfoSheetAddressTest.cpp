#include "PersonValueDump.h"
#include "TableEditingFixture.h"

#include "editors/SimpleInfoPanelController.h"
#include "editors/SimpleInfoTableModel.h"

#include <QLineEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace {

// The sheet's rows of the address parts.
constexpr int sheetCityRow = 6;
constexpr int sheetStreetRow = 7;

// Show Simple Info on each row of a contact with one address and three
// phones: the rows below its address hold none of their own.
class SimpleInfoSheetAddress : public TableEditingTest, public testing::WithParamInterface<int> {
protected:
    void SetUp() override
    {
        TableEditingTest::SetUp();
        if (HasFatalFailure())
            return;
        m_first = firstRows().at(1);
        MVPerson &shown = person(m_first);
        LabeledValueRecord address = labeled(u"home"_s, QString());
        address.value = std::monostate();
        address.address->city = u"京都市"_s;
        address.address->street = u"寺町488"_s;
        shown.setValue(LabeledValueList{std::make_shared<LabeledValueRecord>(address)}, FieldId::Address);
        LabeledValueList phones;
        for (const QString &number : {u"090-1111-1111"_s, u"075-222-2222"_s, u"06-3333-3333"_s})
            phones.append(std::make_shared<LabeledValueRecord>(labeled(u"mobile"_s, number)));
        shown.setValue(phones, FieldId::Phone);
        table().updateTable();
        endTurn();
    }

    [[nodiscard]] SimpleInfoPanelController *sheet() const { return table().simpleInfoPanelController(); }
    [[nodiscard]] QString sheetShows(int sheetRow) const
    {
        return sheet()->table()->index(sheetRow, SimpleInfoTableModel::ValueColumn).data().toString();
    }
    void typeInSheet(int sheetRow, const QString &text)
    {
        QTableView *sheetTable = sheet()->tableView();
        const QPoint centre = sheetTable->visualRect(sheetTable->model()->index(sheetRow, 1)).center();
        QTest::mouseClick(sheetTable->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(sheetTable->viewport(), Qt::LeftButton, {}, centre);
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        endTurn();
    }
    void sheetKey(Qt::KeyboardModifiers modifiers)
    {
        sheet()->tableView()->setFocus();
        QTest::keyClick(sheet()->tableView(), Qt::Key_Z, modifiers);
    }
    // Each address as "city|street".
    [[nodiscard]] static QStringList addresses(MVPerson &person)
    {
        QStringList shown;
        for (const LabeledValueRecordPtr &address : *person.addressValues())
            shown.append(address->address->city + u'|' + address->address->street);
        return shown;
    }

    int m_first = 0;
};

TEST_P(SimpleInfoSheetAddress, PartsTypedEditOneAddressWhichOneUndoRemoves)
{
    const int position = GetParam();
    const int index = m_first + position;
    ASSERT_EQ(row(index)->labelIndex, position);
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, textPoint(FieldId::Company, index));
    endTurn();
    window().findChild<QAction *>(u"showContact"_s)->trigger();
    ASSERT_NE(sheet(), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet()));

    typeInSheet(sheetCityRow, u"八尾市"_s);
    typeInSheet(sheetStreetRow, u"上新町2-3-20"_s);
    EXPECT_EQ(sheetShows(sheetCityRow), u"八尾市"_s);
    EXPECT_EQ(sheetShows(sheetStreetRow), u"上新町2-3-20"_s);
    const QStringList edited = position == 0 ? QStringList{u"八尾市|上新町2-3-20"_s}
                                             : QStringList{u"京都市|寺町488"_s, u"八尾市|上新町2-3-20"_s};
    MVPerson &copy = *sheet()->table()->contact()->person;
    EXPECT_EQ(addresses(copy), edited);

    // The street's step, then the step that made or changed the address.
    sheetKey(Qt::ControlModifier);
    sheetKey(Qt::ControlModifier);
    EXPECT_EQ(addresses(copy), QStringList{u"京都市|寺町488"_s});
    EXPECT_EQ(sheetShows(sheetCityRow), position == 0 ? u"京都市"_s : QString());
    sheetKey(Qt::ControlModifier | Qt::ShiftModifier);
    sheetKey(Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(addresses(copy), edited);

    QTest::mouseClick(sheet()->doneButton(), Qt::LeftButton);
    endTurn();
    EXPECT_EQ(addresses(person(m_first)), edited);
}

INSTANTIATE_TEST_SUITE_P(Positions, SimpleInfoSheetAddress, testing::Values(0, 1, 2));

} // namespace
