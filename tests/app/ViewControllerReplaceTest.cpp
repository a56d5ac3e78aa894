#include "PersonValueDump.h"
#include "ViewControllerFixture.h"

#include <QImage>

using namespace Qt::Literals::StringLiterals;

namespace {

class ReplaceAll : public FilledContactsTest {
protected:
    [[nodiscard]] LabeledValueRecord first(int i, const ContactIdentifier &identifier) const
    {
        return *person(i).labeledValueForIdentifierAtIndex(identifier, 0);
    }

    bool replace(const QString &find, const QString &with, const ContactIdentifier &identifier, int contactIndex = 0,
        Qt::CaseSensitivity options = Qt::CaseSensitive)
    {
        return m_controller.undoReplaceString(find, with, identifier, 0, options, contact(contactIndex));
    }
};

} // namespace

TEST_F(ReplaceAll, AnAddressPartIsReplacedUnderItsOwnKeyAndUndoGivesBackTheWholeAddress)
{
    const std::string before = dumpPerson(person(0));
    const LabeledValueRecord oldAddress = first(0, FieldId::Address);
    ASSERT_TRUE(replace(u"京都市"_s, u"大阪市"_s, FieldId::City));
    const LabeledValueRecord address = first(0, FieldId::Address);
    EXPECT_EQ(address.city.toStdString(), "大阪市中京区");
    EXPECT_EQ(address.street, oldAddress.street);
    EXPECT_EQ(address.labelIndex, oldAddress.labelIndex);
    EXPECT_TRUE(address.stringValue.contains(u"大阪市中京区"_s));
    EXPECT_FALSE(address.stringValue.contains(u"京都市"_s));
    EXPECT_TRUE(person(0).changed());
    // Replace All redraws once after its last call, not per field.
    EXPECT_TRUE(m_log.calls().isEmpty());
    endTurn();
    m_controller.undo();
    EXPECT_EQ(dumpPerson(person(0)), before);
}

TEST_F(ReplaceAll, SocialAndChatUserNamesChangeInValueUserNameAndDisplayTextAndKeepServiceAndLabel)
{
    const LabeledValueRecord old = first(0, FieldId::SocialNetwork);
    ASSERT_TRUE(replace(u"taro"_s, u"jiro"_s, FieldId::SocialNetwork));
    const LabeledValueRecord social = first(0, FieldId::SocialNetwork);
    EXPECT_EQ(social.valueText().toStdString(), "jiro_y");
    EXPECT_EQ(social.username.toStdString(), "jiro_y");
    EXPECT_EQ(social.service, old.service);
    EXPECT_EQ(social.label, old.label);
    EXPECT_TRUE(social.stringValue.contains(u"jiro_y"_s));

    ASSERT_TRUE(replace(u"taro"_s, u"hanako"_s, FieldId::InstantMessage));
    const LabeledValueRecord chat = first(0, FieldId::InstantMessage);
    EXPECT_EQ(chat.valueText().toStdString(), "hanako.chat");
    EXPECT_EQ(chat.username.toStdString(), "hanako.chat");
    EXPECT_EQ(chat.service.toStdString(), "Skype");
    EXPECT_TRUE(chat.stringValue.contains(u"hanako.chat"_s));
}

TEST_F(ReplaceAll, PlainLabeledValuesNamePartsAndStringsAreRewritten)
{
    EXPECT_TRUE(replace(u"090"_s, u"080"_s, FieldId::Phone));
    EXPECT_EQ(first(0, FieldId::Phone).valueText().toStdString(), "080-1234-5678");
    EXPECT_TRUE(replace(u"TARO"_s, u"Jiro"_s, FieldId::FirstName, 0, Qt::CaseInsensitive));
    EXPECT_EQ(person(0).stringValueForIdentifier(FieldId::FirstName, 0).toStdString(), "Jiro0");
    EXPECT_FALSE(replace(u"TARO"_s, u"Jiro"_s, FieldId::FirstName, 1));
    EXPECT_TRUE(replace(u"Kyoto"_s, u"Osaka"_s, FieldId::Note));
    EXPECT_EQ(person(0).stringValueForIdentifier(FieldId::Note, 0).toStdString(), "Met in Osaka");
    EXPECT_FALSE(replace(u"2005"_s, u"2006"_s, FieldId::Dates));
}

TEST_F(ReplaceAll, AnEmptyFindStringFillsEmptyFieldsOnly)
{
    person(1).setValue(QString(), FieldId::Department);
    EXPECT_TRUE(replace(QString(), u"Sales"_s, FieldId::Department, 1));
    EXPECT_EQ(person(1).stringValueForIdentifier(FieldId::Department, 0).toStdString(), "Sales");
    EXPECT_FALSE(replace(QString(), u"Sales"_s, FieldId::Company, 1));
    EXPECT_EQ(person(1).stringValueForIdentifier(FieldId::Company, 0).toStdString(), "Quillmark Inc.");
}

TEST_F(ReplaceAll, NoMatchRegistersAndMarksNothing)
{
    EXPECT_FALSE(replace(u"Nagoya"_s, u"Sendai"_s, FieldId::City));
    EXPECT_FALSE(replace(u"zz"_s, u"y"_s, FieldId::Email, 0));
    endTurn();
    EXPECT_FALSE(m_controller.undoManager()->canUndo());
    EXPECT_FALSE(person(0).changed());
}

TEST_F(ReplaceAll, EveryFieldOfSeveralContactsInOneGroupIsOneUndoStep)
{
    const std::string before[] = {dumpPerson(person(0)), dumpPerson(person(1))};
    m_controller.undoManager()->beginUndoGrouping();
    for (int i = 0; i < 2; ++i) {
        for (const ContactIdentifier &identifier : {FieldId::City, FieldId::State, FieldId::Note})
            replace(u"京都"_s, u"奈良"_s, identifier, i);
    }
    m_controller.undoManager()->endUndoGrouping();
    EXPECT_EQ(first(1, FieldId::Address).state.toStdString(), "奈良府");
    m_controller.undo();
    EXPECT_EQ(dumpPerson(person(0)), before[0]);
    EXPECT_EQ(dumpPerson(person(1)), before[1]);
    EXPECT_FALSE(m_controller.undoManager()->canUndo());
}

namespace {

class Merge : public ReplaceAll {
protected:
    // The merge editor's result for contact 0: its values with a few changed.
    [[nodiscard]] ContactRecordPtr mergedRecord() const
    {
        auto merged = ContactRecord::makeWithPerson(std::make_shared<MVPerson>());
        fillPerson(*merged->person, u"Taro0"_s);
        merged->person->setValue(u"Merged Inc."_s, FieldId::Company);
        merged->person->addLabeledValue(first(1, FieldId::Phone), FieldId::Phone);
        merged->uniqueId = contact(0)->uniqueId;
        return merged;
    }
};

} // namespace

TEST_F(Merge, TakesTheDifferingValuesAsOneUndoStep)
{
    const std::string before = dumpPerson(person(0));
    const ContactRecordPtr merged = mergedRecord();
    m_controller.undoReplacePersonByContacts({merged}, {contact(0)});
    EXPECT_EQ(dumpPerson(person(0)), dumpPerson(*merged->person));
    EXPECT_TRUE(person(0).changed());
    EXPECT_TRUE(m_window.isWindowModified());
    m_controller.undo();
    EXPECT_EQ(dumpPerson(person(0)), before);
    EXPECT_FALSE(m_controller.undoManager()->canUndo());
}

TEST_F(Merge, OfEqualValuesChangesNoRecordButMarksTheWindowEdited)
{
    auto same = ContactRecord::makeWithPerson(std::make_shared<MVPerson>());
    fillPerson(*same->person, u"Taro0"_s);
    m_controller.undoReplacePersonByContacts({same}, {contact(0)});
    endTurn();
    EXPECT_FALSE(person(0).changed());
    EXPECT_FALSE(m_controller.undoManager()->canUndo());
    EXPECT_TRUE(m_window.isWindowModified());
}

TEST_F(Merge, ADifferentPhotoIsTakenOverWhenBothHaveOne)
{
    QImage blue(4, 4, QImage::Format_ARGB32);
    blue.fill(Qt::blue);
    QImage green(4, 4, QImage::Format_ARGB32);
    green.fill(Qt::green);
    person(0).setPhoto(blue);
    auto merged = ContactRecord::makeWithPerson(std::make_shared<MVPerson>());
    fillPerson(*merged->person, u"Taro0"_s);
    merged->person->setPhoto(green);
    m_controller.undoReplacePersonByContacts({merged}, {contact(0)});
    EXPECT_EQ(person(0).photo().pixelColor(0, 0), QColor(Qt::green));
    m_controller.undo();
    EXPECT_EQ(person(0).photo().pixelColor(0, 0), QColor(Qt::blue));
}

TEST_F(Merge, ClosesAPopoverOfAMergedContactAndRedrawsDetachedViewsOfTheResult)
{
    auto shown = std::make_shared<SubContactRecord>();
    shown->uniqueId = contact(0)->uniqueId;
    RecordingContactInfoPopover popover(m_log, u"popover"_s, shown);
    RecordingContactInfoPopover detached(m_log, u"detached"_s, shown);
    auto other = std::make_shared<SubContactRecord>();
    other->uniqueId = contact(2)->uniqueId;
    RecordingContactInfoPopover otherDetached(m_log, u"otherDetached"_s, other);
    m_table.detached = {&detached, &otherDetached};
    m_controller.setPopover(&popover);

    m_controller.undoReplacePersonByContacts({mergedRecord()}, {contact(0)});
    EXPECT_EQ(m_log.count(u"popover.closePopover"_s), 1);
    EXPECT_EQ(m_controller.popover(), nullptr);
    EXPECT_EQ(m_log.count(u"detached.updateTable"_s), 1);
    EXPECT_EQ(m_log.count(u"otherDetached.updateTable"_s), 0);

    // Undoing redraws the table and the detail pane only.
    endTurn();
    m_log.clear();
    m_controller.undo();
    endTurn();
    EXPECT_EQ(m_log.count(u"detached.updateTable"_s), 0);
    EXPECT_GT(m_log.count(u"table.updateTable"_s), 0);
    EXPECT_GT(m_log.count(u"detail.updateTable"_s), 0);
    EXPECT_EQ(m_log.count(u"preview.updateUI"_s), 0);
}
