#include "PersonValueDump.h"
#include "ViewControllerFixture.h"

#include <QImage>

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
    ASSERT_TRUE(replace(QStringLiteral("京都市"), QStringLiteral("大阪市"), FieldId::City));
    const LabeledValueRecord address = first(0, FieldId::Address);
    EXPECT_EQ(address.city.toStdString(), "大阪市中京区");
    EXPECT_EQ(address.street, oldAddress.street);
    EXPECT_EQ(address.labelIndex, oldAddress.labelIndex);
    EXPECT_TRUE(address.stringValue.contains(QStringLiteral("大阪市中京区")));
    EXPECT_FALSE(address.stringValue.contains(QStringLiteral("京都市")));
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
    ASSERT_TRUE(replace(QStringLiteral("taro"), QStringLiteral("jiro"), FieldId::SocialNetwork));
    const LabeledValueRecord social = first(0, FieldId::SocialNetwork);
    EXPECT_EQ(social.valueText().toStdString(), "jiro_y");
    EXPECT_EQ(social.username.toStdString(), "jiro_y");
    EXPECT_EQ(social.service, old.service);
    EXPECT_EQ(social.label, old.label);
    EXPECT_TRUE(social.stringValue.contains(QStringLiteral("jiro_y")));

    ASSERT_TRUE(replace(QStringLiteral("taro"), QStringLiteral("hanako"), FieldId::InstantMessage));
    const LabeledValueRecord chat = first(0, FieldId::InstantMessage);
    EXPECT_EQ(chat.valueText().toStdString(), "hanako.chat");
    EXPECT_EQ(chat.username.toStdString(), "hanako.chat");
    EXPECT_EQ(chat.service.toStdString(), "Skype");
    EXPECT_TRUE(chat.stringValue.contains(QStringLiteral("hanako.chat")));
}

TEST_F(ReplaceAll, PlainLabeledValuesNamePartsAndStringsAreRewritten)
{
    EXPECT_TRUE(replace(QStringLiteral("090"), QStringLiteral("080"), FieldId::Phone));
    EXPECT_EQ(first(0, FieldId::Phone).valueText().toStdString(), "080-1234-5678");
    EXPECT_TRUE(replace(QStringLiteral("TARO"), QStringLiteral("Jiro"), FieldId::FirstName, 0, Qt::CaseInsensitive));
    EXPECT_EQ(person(0).stringValueForIdentifier(FieldId::FirstName, 0).toStdString(), "Jiro0");
    EXPECT_FALSE(replace(QStringLiteral("TARO"), QStringLiteral("Jiro"), FieldId::FirstName, 1));
    EXPECT_TRUE(replace(QStringLiteral("Kyoto"), QStringLiteral("Osaka"), FieldId::Note));
    EXPECT_EQ(person(0).stringValueForIdentifier(FieldId::Note, 0).toStdString(), "Met in Osaka");
    EXPECT_FALSE(replace(QStringLiteral("2005"), QStringLiteral("2006"), FieldId::Dates));
}

TEST_F(ReplaceAll, AnEmptyFindStringFillsEmptyFieldsOnly)
{
    person(1).setValue(QString(), FieldId::Department);
    EXPECT_TRUE(replace(QString(), QStringLiteral("Sales"), FieldId::Department, 1));
    EXPECT_EQ(person(1).stringValueForIdentifier(FieldId::Department, 0).toStdString(), "Sales");
    EXPECT_FALSE(replace(QString(), QStringLiteral("Sales"), FieldId::Company, 1));
    EXPECT_EQ(person(1).stringValueForIdentifier(FieldId::Company, 0).toStdString(), "Quillmark Inc.");
}

TEST_F(ReplaceAll, NoMatchRegistersAndMarksNothing)
{
    EXPECT_FALSE(replace(QStringLiteral("Nagoya"), QStringLiteral("Sendai"), FieldId::City));
    EXPECT_FALSE(replace(QStringLiteral("zz"), QStringLiteral("y"), FieldId::Email, 0));
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
            replace(QStringLiteral("京都"), QStringLiteral("奈良"), identifier, i);
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
        fillPerson(*merged->person, QStringLiteral("Taro0"));
        merged->person->setValue(QStringLiteral("Merged Inc."), FieldId::Company);
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
    fillPerson(*same->person, QStringLiteral("Taro0"));
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
    fillPerson(*merged->person, QStringLiteral("Taro0"));
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
    RecordingContactInfoPopover popover(m_log, QStringLiteral("popover"), shown);
    RecordingContactInfoPopover detached(m_log, QStringLiteral("detached"), shown);
    auto other = std::make_shared<SubContactRecord>();
    other->uniqueId = contact(2)->uniqueId;
    RecordingContactInfoPopover otherDetached(m_log, QStringLiteral("otherDetached"), other);
    m_table.detached = {&detached, &otherDetached};
    m_controller.setPopover(&popover);

    m_controller.undoReplacePersonByContacts({mergedRecord()}, {contact(0)});
    EXPECT_EQ(m_log.count(QStringLiteral("popover.closePopover")), 1);
    EXPECT_EQ(m_controller.popover(), nullptr);
    EXPECT_EQ(m_log.count(QStringLiteral("detached.updateTable")), 1);
    EXPECT_EQ(m_log.count(QStringLiteral("otherDetached.updateTable")), 0);

    // Undoing redraws the table and the detail pane only.
    endTurn();
    m_log.clear();
    m_controller.undo();
    endTurn();
    EXPECT_EQ(m_log.count(QStringLiteral("detached.updateTable")), 0);
    EXPECT_GT(m_log.count(QStringLiteral("table.updateTable")), 0);
    EXPECT_GT(m_log.count(QStringLiteral("detail.updateTable")), 0);
    EXPECT_EQ(m_log.count(QStringLiteral("preview.updateUI")), 0);
}
