#include "PreviewWindow.h"

#include "common/Screenshot.h"
#include "model/ContactIdentifier.h"
#include "model/MVPerson.h"
#include "platform/NotificationCenter.h"
#include "print/PrintOptionValue.h"
#include "print/PrintOptions.h"
#include "table/ContactsViewController.h"

#include <QTableView>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace PrintOptionsKey;

namespace {

class PreviewPane : public PreviewWindowTest {
protected:
    // The text the preview draws in the block, line by line.
    [[nodiscard]] QString nameText() const
    {
        return PostcardLayout(view().document()).nameString(block(0), nullptr, false);
    }
    [[nodiscard]] QString addressText() const { return block(1).addressArray.join(u'|'); }
};

// The window's own table instead of the recording one: a real click on the
// row of the contact's second address.
TEST_F(PreviewPane, AClickInTheContactTablePreviewsThatContactAtTheRowsAddress)
{
    openWindow();
    ContactsViewController &table = *m_window->contactsViewController();
    m_controller->setContactsViewController(&table);
    table.setContactTable(m_contacts);
    table.updateTable();
    endTurn();
    const QList<SubContactRecordPtr> shown = table.subContactTable();
    const auto row = std::find_if(shown.cbegin(), shown.cend(), [this](const SubContactRecordPtr &candidate) {
        return candidate->person == m_contacts->at(2)->person && candidate->labelIndex == 1;
    });
    ASSERT_NE(row, shown.cend());
    QTableView &rows = *table.tableView();
    const QModelIndex cell = rows.model()->index(int(row - shown.cbegin()), 1);
    QTest::mouseClick(rows.viewport(), Qt::LeftButton, Qt::NoModifier, rows.visualRect(cell).center());
    endTurn();
    ASSERT_EQ(view().receiverPersons().size(), 1);
    EXPECT_EQ(view().receiverPersons().first()->person, m_contacts->at(2)->person);
    EXPECT_EQ(nameText(), u"佐 藤  花 子 様"_s);
    EXPECT_EQ(addressText(), u"大阪府北区|銀座3-2-3"_s);
    EXPECT_EQ(block(1).adrsDict->addressParts().zip, u"102-1011"_s);
    Screenshot::grab(m_window.get());
    Screenshot::grab(&pane(), u"pane"_s);
}

TEST_F(PreviewPane, AnAddressOrCompanyTakenFromTheContactLeavesTheCard)
{
    openWindow();
    selectRows({{0, 0}});
    ASSERT_EQ(view().receiverPersons().size(), 1);
    ASSERT_TRUE(view().receiverPersons().first()->layoutDict);
    person(0).setValue(LabeledValueList(), FieldId::Address);
    person(0).setStringValue(std::nullopt, FieldId::Company);
    pane().updateUI();
    const PrintContactRecordPtr shown = view().receiverPersons().first();
    EXPECT_EQ(shown->source, m_table.selectedSubContacts().first());
    EXPECT_FALSE(shown->layoutDict);
    EXPECT_FALSE(shown->company);
    EXPECT_EQ(block(1).adrsDict, nullptr);
    EXPECT_EQ(addressText(), QString());
    // Nothing but the name is drawn.
    QString drawn;
    for (const PlacedGlyph &glyph : view().drawList(view().bounds()).glyphs())
        drawn += QString::fromUcs4(&glyph.character, 1);
    EXPECT_FALSE(drawn.contains(u'東')) << drawn.toStdString();
}

TEST_F(PreviewPane, FirstStartStoresTheJapaneseRecordAndAnHonorificPostedWithTheOptionsRedraws)
{
    openWindow();
    const QVariantMap first = m_defaults->dictionaryForKey(PrintOptions::defaultsKey);
    EXPECT_EQ(first.value(Keishou), u"様"_s);
    EXPECT_EQ(first.value(PrintStyle), u"Hagaki"_s);
    EXPECT_EQ(*pane().printOptions(), first);
    selectRows({{0, 0}});
    PrintOptionsRecord stored = *pane().printOptions();
    stored.insert(Keishou, u"殿"_s);
    PrintOptions::storePrintOptions(stored, *m_defaults);
    NotificationCenter::defaultCenter().postNotification(PrintOptions::printOptionsUpdated, QVariant());
    EXPECT_EQ(nameText(), u"山 田  太 郎 殿"_s);
    // The pane and its view share the fresh copy, and the pane's is its own.
    EXPECT_EQ(pane().printOptions(), view().printOptions());
    stored.insert(Keishou, u"様"_s);
    EXPECT_EQ(pane().printOptions()->value(Keishou), u"殿"_s);
}

// The pane alone: in the window, start-up rebuilds such a record before the
// pane reads it.
TEST_F(PreviewPane, AStoredRecordOfAnOlderVersionIsUsedUnchanged)
{
    PrintOptionsRecord older = PrintOptions::initPrintOptions(u"en"_s);
    older.insert(Version, 4);
    older.insert(Keishou, u"Mr."_s);
    PrintOptions::storePrintOptions(older, *m_defaults);
    const HagakiViewController preview(*m_defaults);
    EXPECT_EQ(*preview.printOptions(), older);
    EXPECT_EQ(PrintOptionValue::integer(m_defaults->dictionaryForKey(PrintOptions::defaultsKey).value(Version)), 4);
}

} // namespace
