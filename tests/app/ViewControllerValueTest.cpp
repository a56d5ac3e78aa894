#include "PersonValueDump.h"
#include "ViewControllerFixture.h"

#include <QImage>

#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {

class ValueUndo : public FilledContactsTest {
protected:
    [[nodiscard]] LabeledValueRecord first(int i, const ContactIdentifier &identifier) const
    {
        return *person(i).labeledValueForIdentifierAtIndex(identifier, 0);
    }
    bool replace(const QString &find, const QString &with, const ContactIdentifier &identifier, int i = 0)
    {
        return m_controller.undoReplaceString(find, with, identifier, 0, Qt::CaseSensitive, contact(i));
    }
};

// A value handed in for a field of contact 0, made from the contact as it is.
struct ReplaceRow {
    const char *name;
    ContactIdentifier identifier;
    std::function<PersonValue(MVPerson &)> value;
};

void PrintTo(const ReplaceRow &row, std::ostream *out)
{
    *out << row.name;
}

PersonValue changed(MVPerson &person, const ContactIdentifier &identifier, qint64 labelIndex,
    const std::function<void(LabeledValueRecord &)> &change)
{
    LabeledValueRecord record = *person.labeledValueForIdentifierAtLabelIndex(identifier, labelIndex);
    change(record);
    return record;
}

PersonValue constant(const PersonValue &value)
{
    return value;
}

QImage filled(const QColor &color)
{
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

class RefusedReplace : public ValueUndo, public testing::WithParamInterface<ReplaceRow> { };

} // namespace

TEST_P(RefusedReplace, AnswersNoAndRegistersAndChangesNothing)
{
    const std::string before = dumpPerson(person(0));
    EXPECT_FALSE(m_controller.undoReplaceValue(GetParam().value(person(0)), GetParam().identifier, contact(0)));
    endTurn();
    EXPECT_FALSE(m_controller.undoManager()->canUndo());
    EXPECT_EQ(dumpPerson(person(0)), before);
    EXPECT_FALSE(person(0).changed() || m_window.isWindowModified());
    EXPECT_TRUE(m_log.calls().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Refusals, RefusedReplace,
    testing::Values(ReplaceRow{"PhoneAsText", FieldId::Phone, [](MVPerson &) { return constant(u"1"_s); }},
        ReplaceRow{"EmailNumberNotHeld", FieldId::Email,
            [](MVPerson &p) { return changed(p, FieldId::Email, 0, [](auto &r) { r.labelIndex = 7; }); }},
        ReplaceRow{"AddressPartAsText", FieldId::City, [](MVPerson &) { return constant(u"Osaka"_s); }},
        ReplaceRow{"LayoutNil", FieldId::HagakiLayout, [](MVPerson &) { return constant({}); }}),
    [](const testing::TestParamInfo<ReplaceRow> &info) { return info.param.name; });

TEST_F(ValueUndo, TheEditedMarkFollowsUndoToTheSavePointAndRedo)
{
    ASSERT_TRUE(m_controller.undoReplaceValue(u"Saved Inc."_s, FieldId::Company, contact(0)));
    endTurn();
    // What a save does to the window.
    m_controller.undoManager()->removeAllActions();
    m_window.setWindowModified(false);

    // Changes of several contacts in one turn are one step.
    ASSERT_TRUE(m_controller.undoReplaceValue(u"Edited Inc."_s, FieldId::Company, contact(0)));
    ASSERT_TRUE(m_controller.undoReplaceValue(u"Hanako"_s, FieldId::FirstName, contact(1)));
    endTurn();
    ASSERT_TRUE(m_controller.undoReplaceValue(u"Later Inc."_s, FieldId::Company, contact(2)));
    endTurn();
    m_controller.undo();
    EXPECT_TRUE(m_window.isWindowModified());
    m_controller.undo();
    EXPECT_FALSE(m_window.isWindowModified());
    EXPECT_EQ(person(0).stringValueForIdentifier(FieldId::Company, 0), u"Saved Inc."_s);
    EXPECT_EQ(person(1).stringValueForIdentifier(FieldId::FirstName, 0), u"Taro1"_s);
    m_controller.redo();
    EXPECT_TRUE(m_window.isWindowModified());
}

TEST_F(ValueUndo, ALabeledValueDeletedKeepsTheOtherNumbersAndOneAddedIsNumberedAfterTheLargest)
{
    const std::string before = dumpPerson(person(0));
    const LabeledValueRecord firstPhone = first(0, FieldId::Phone);
    m_controller.undoDeleteLabeledValue(firstPhone, FieldId::Note, contact(0));
    endTurn();
    EXPECT_FALSE(m_controller.undoManager()->canUndo()) << "a field without labels has nothing to delete";

    m_controller.undoDeleteLabeledValue(firstPhone, FieldId::Phone, contact(0));
    EXPECT_EQ(first(0, FieldId::Phone).labelIndex, 1);
    EXPECT_TRUE(m_log.calls().isEmpty());
    LabeledValueRecord fax;
    fax.label = u"work fax"_s;
    fax.value = u"03-5555-0001"_s;
    m_controller.undoAddLabeledValue(fax, FieldId::Phone, contact(0));
    EXPECT_EQ(person(0).stringValueForIdentifier(FieldId::Phone, 2), u"03-5555-0001"_s);
    endTurn();
    EXPECT_EQ(m_log.calls(), (QStringList{u"detail.updateTable"_s, u"preview.updateUI"_s}));
    m_controller.undo();
    EXPECT_EQ(dumpPerson(person(0)), before);
}

TEST_F(ValueUndo, ReplacingTextInAddressPartsRewritesTheAddressAndOneUndoGivesBackEveryField)
{
    const std::string before[] = {dumpPerson(person(0)), dumpPerson(person(1))};
    const LabeledValueRecord oldAddress = first(0, FieldId::Address);
    m_controller.undoManager()->beginUndoGrouping();
    for (int i = 0; i < 2; ++i) {
        for (const ContactIdentifier &identifier : {FieldId::City, FieldId::State, FieldId::Note})
            replace(u"京都"_s, u"奈良"_s, identifier, i);
    }
    // An empty find string fills an empty field only.
    person(1).setValue(QString(), FieldId::Department);
    EXPECT_TRUE(replace(QString(), u"Sales"_s, FieldId::Department, 1));
    EXPECT_FALSE(replace(QString(), u"Sales"_s, FieldId::Company, 1));
    EXPECT_FALSE(replace(u"2005"_s, u"2006"_s, FieldId::Dates));
    m_controller.undoManager()->endUndoGrouping();
    const LabeledValueRecord address = first(0, FieldId::Address);
    EXPECT_EQ(QStringList({address.city, address.state, address.street}),
        QStringList({u"奈良市中京区"_s, u"奈良府"_s, oldAddress.street}));
    EXPECT_EQ(address.labelIndex, oldAddress.labelIndex);
    EXPECT_EQ(address.stringValue, QString(oldAddress.stringValue).replace(u"京都"_s, u"奈良"_s));
    EXPECT_EQ(person(1).stringValueForIdentifier(FieldId::Department, 0), u"Sales"_s);
    // Replace All redraws once after its last call, not per field.
    EXPECT_TRUE(m_log.calls().isEmpty());
    m_controller.undo();
    EXPECT_EQ(dumpPerson(person(0)), before[0]);
    EXPECT_FALSE(m_controller.undoManager()->canUndo());
}

TEST_F(ValueUndo, ReplacingSocialAndChatUserNamesKeepsServiceAndLabel)
{
    const LabeledValueRecord old = first(0, FieldId::SocialNetwork);
    ASSERT_TRUE(replace(u"taro"_s, u"jiro"_s, FieldId::SocialNetwork));
    const LabeledValueRecord social = first(0, FieldId::SocialNetwork);
    EXPECT_EQ(QStringList({social.valueText(), social.username, social.service, social.label.value_or(QString())}),
        QStringList({u"jiro_y"_s, u"jiro_y"_s, old.service, old.label.value_or(QString())}));
    ASSERT_TRUE(replace(u"taro"_s, u"hanako"_s, FieldId::InstantMessage));
    const LabeledValueRecord chat = first(0, FieldId::InstantMessage);
    EXPECT_EQ(QStringList({chat.valueText(), chat.username, chat.service, chat.stringValue}),
        QStringList({u"hanako.chat"_s, u"hanako.chat"_s, u"Skype"_s, u"Skype:hanako.chat"_s}));
}

TEST_F(ValueUndo, AMergeTakesTheDifferingValuesAsOneStepAndClosesAPopoverOfTheMergedContact)
{
    auto merged = ContactRecord::makeWithPerson(std::make_shared<MVPerson>());
    fillPerson(*merged->person, u"Taro0"_s);
    merged->uniqueId = contact(0)->uniqueId;
    m_controller.undoReplacePersonByContacts({merged}, {contact(0)});
    endTurn();
    EXPECT_FALSE(person(0).changed() || m_controller.undoManager()->canUndo()) << "equal values change nothing";

    auto shown = std::make_shared<SubContactRecord>();
    shown->uniqueId = contact(0)->uniqueId;
    RecordingContactInfoPopover popover(m_log, u"popover"_s, shown);
    RecordingContactInfoPopover detached(m_log, u"detached"_s, shown);
    RecordingContactInfoPopover otherDetached(m_log, u"otherDetached"_s, std::make_shared<SubContactRecord>());
    m_table.detached = {&detached, &otherDetached};
    m_controller.setPopover(&popover);
    m_log.clear();
    // A different photo is taken over when both have one.
    person(0).setPhoto(filled(Qt::blue));
    const std::string before = dumpPerson(person(0));
    merged->person->setValue(u"Merged Inc."_s, FieldId::Company);
    merged->person->setPhoto(filled(Qt::green));

    m_controller.undoReplacePersonByContacts({merged}, {contact(0)});
    EXPECT_EQ(dumpPerson(person(0)), dumpPerson(*merged->person));
    EXPECT_TRUE(person(0).changed() && m_window.isWindowModified());
    EXPECT_EQ(m_log.calls(), (QStringList{u"popover.closePopover"_s, u"detached.updateTable"_s}));
    EXPECT_EQ(m_controller.popover(), nullptr);

    // Undoing redraws the table and the detail pane only.
    endTurn();
    m_log.clear();
    m_controller.undo();
    endTurn();
    EXPECT_EQ(dumpPerson(person(0)), before);
    EXPECT_EQ(m_log.calls(), (QStringList{u"detail.updateTable"_s, u"table.updateTable"_s}));
}

using GroupUndo = ViewControllerTest;

TEST_F(GroupUndo, DeletingFromAllContactsMarksEveryGroupAndUndoGivesBackTheSameRowsUnmarked)
{
    const std::string before = snapshot();
    const ContactRecordPtr topRow = rowOf(top(), u"c3"_s);

    m_controller.undoDeleteContacts({topRow}, top(), true);
    endTurn();
    for (const GroupRecordPtr &g : std::as_const(*m_container->groups)) {
        EXPECT_TRUE(g->changed) << qPrintable(g->name);
        EXPECT_TRUE(rowOf(g, u"c3"_s)->deleted) << qPrintable(g->name);
    }
    EXPECT_FALSE(rowOf(top(), u"c2"_s)->deleted);

    m_controller.undo();
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(m_window.isWindowModified());
    m_controller.redo();
    EXPECT_TRUE(topRow->deleted);
}

TEST_F(GroupUndo, AnAddToTheShownGroupCopiesIntoAllContactsAndSelectsAndReAddingClearsARemoval)
{
    const GroupRecordPtr friends = group(u"Friends"_s);
    showGroup(friends);
    const std::string before = snapshot();
    const ContactRecordPtr incoming = foreignRow(u"doc-1"_s);
    m_controller.undoAddContacts({incoming}, friends);
    EXPECT_EQ(m_log.calls(),
        (QStringList{u"table.setContactTable"_s, u"table.updateTable"_s, u"table.selectRowIndexesWithContacts"_s}));
    EXPECT_EQ(m_table.contactTable, friends->contactTable);
    EXPECT_EQ(m_table.selectedContacts(), QList<ContactRecordPtr>{incoming});
    const ContactRecordPtr copy = rowOf(top(), u"doc-1"_s);
    ASSERT_TRUE(copy);
    EXPECT_NE(copy, incoming);
    EXPECT_EQ(copy->person, incoming->person);
    EXPECT_TRUE(copy->isNew && incoming->isNew && top()->changed);
    endTurn();
    m_controller.undo();
    EXPECT_EQ(snapshot(), before);

    const ContactRecordPtr removed = rowOf(friends, u"c2"_s);
    m_controller.undoDeleteContacts({removed}, friends, true);
    endTurn();
    const ContactRecordPtr source = rowOf(top(), u"c2"_s);
    m_controller.undoAddContacts({rowFor(source), rowFor(source)}, friends);
    EXPECT_EQ(rowCount(friends, u"c2"_s), 1);
    EXPECT_FALSE(removed->deleted);
    EXPECT_EQ(rowCount(top(), u"c2"_s), 1);

    // Changes to a group not shown, or of no rows, redraw nothing.
    m_log.clear();
    m_controller.undoDeleteContacts({rowOf(group(u"Work"_s), u"c5"_s)}, group(u"Work"_s), true);
    m_controller.undoDeleteContacts({}, friends, true);
    EXPECT_TRUE(m_log.calls().isEmpty());
}

struct DeleteSelectionRow {
    QList<int> selectedRows;
    int selectedAfter;
};

class DeleteSelection : public ViewControllerTest, public testing::WithParamInterface<DeleteSelectionRow> { };

TEST_P(DeleteSelection, SelectsTheRowBeforeTheFirstDeletedOne)
{
    m_table.select(GetParam().selectedRows);
    m_controller.deleteContacts();
    endTurn();
    for (int row : GetParam().selectedRows)
        EXPECT_TRUE(top()->contactTable->at(row)->deleted);
    if (GetParam().selectedRows.isEmpty()) {
        EXPECT_FALSE(m_controller.undoManager()->canUndo() || m_window.isWindowModified() || top()->changed);
        return;
    }
    EXPECT_EQ(m_table.selectedRowIndexes(), QList<int>{GetParam().selectedAfter});
    EXPECT_EQ(m_table.scrolledTo, GetParam().selectedAfter);
}

INSTANTIATE_TEST_SUITE_P(Rows, DeleteSelection,
    testing::Values(DeleteSelectionRow{{}, -1}, DeleteSelectionRow{{0, 1}, 0}, DeleteSelectionRow{{5, 6, 7}, 4}));

using Duplicate = FilledContactsTest;

TEST_F(Duplicate, MakesNewContactsWithTheirOwnIdentifierAndTheSameJointNames)
{
    showGroup(group(u"Friends"_s));
    // The shown list is in the table's order, which the copy is sorted into.
    m_controller.sortContactTable();
    const ContactTable &friends = *group(u"Friends"_s)->contactTable;
    m_table.select({int(friends.indexOf(rowOf(group(u"Friends"_s), u"c0"_s)))});
    const std::string before = snapshot();
    m_controller.duplicateContacts();

    const ContactRecordPtr original = rowOf(top(), u"c0"_s);
    const ContactRecordPtr copy
        = *std::find_if(friends.cbegin(), friends.cend(), [](const ContactRecordPtr &row) { return row->isNew; });
    ASSERT_NE(copy->uniqueId, original->uniqueId);
    EXPECT_EQ(copy->uniqueId, copy->person->uniqueId());
    EXPECT_TRUE(copy->person->created());
    EXPECT_NE(copy->person, original->person);
    EXPECT_EQ(copy->person->stringValueForIdentifier(FieldId::Renmei, 0), u"花子"_s);
    EXPECT_EQ(copy->person->stringValueForIdentifier(FieldId::Email, 0), u"taro0@example.jp"_s);
    ASSERT_TRUE(rowOf(top(), copy->uniqueId));
    EXPECT_EQ(rowOf(top(), copy->uniqueId)->person, copy->person);
    EXPECT_EQ(m_table.selectedContacts(), QList<ContactRecordPtr>{copy});

    endTurn();
    m_controller.undo();
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(original->person->changed());
}
