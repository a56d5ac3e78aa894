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

TEST_F(ReplaceAll, AnAddressPartIsReplacedUnderItsOwnKeyAndOneUndoGivesBackEveryFieldOfSeveralContacts)
{
    const std::string before[] = {dumpPerson(person(0)), dumpPerson(person(1))};
    const LabeledValueRecord oldAddress = first(0, FieldId::Address);
    m_controller.undoManager()->beginUndoGrouping();
    for (int i = 0; i < 2; ++i) {
        for (const ContactIdentifier &identifier : {FieldId::City, FieldId::State, FieldId::Note})
            replace(u"京都"_s, u"奈良"_s, identifier, i);
    }
    m_controller.undoManager()->endUndoGrouping();
    const LabeledValueRecord address = first(0, FieldId::Address);
    EXPECT_EQ(address.city, u"奈良市中京区"_s);
    EXPECT_EQ(address.state, u"奈良府"_s);
    EXPECT_EQ(address.street, oldAddress.street);
    EXPECT_EQ(address.labelIndex, oldAddress.labelIndex);
    EXPECT_TRUE(address.stringValue.contains(u"奈良市中京区"_s));
    EXPECT_FALSE(address.stringValue.contains(u"京都"_s));
    // Replace All redraws once after its last call, not per field.
    EXPECT_TRUE(m_log.calls().isEmpty());
    m_controller.undo();
    EXPECT_EQ(dumpPerson(person(0)), before[0]);
    EXPECT_EQ(dumpPerson(person(1)), before[1]);
    EXPECT_FALSE(m_controller.undoManager()->canUndo());
}

TEST_F(ReplaceAll, SocialAndChatUserNamesChangeInValueUserNameAndDisplayTextAndKeepServiceAndLabel)
{
    const LabeledValueRecord old = first(0, FieldId::SocialNetwork);
    ASSERT_TRUE(replace(u"taro"_s, u"jiro"_s, FieldId::SocialNetwork));
    const LabeledValueRecord social = first(0, FieldId::SocialNetwork);
    EXPECT_EQ(QStringList({social.valueText(), social.username, social.service, social.label.value_or(QString())}),
        QStringList({u"jiro_y"_s, u"jiro_y"_s, old.service, old.label.value_or(QString())}));
    EXPECT_TRUE(social.stringValue.contains(u"jiro_y"_s));

    ASSERT_TRUE(replace(u"taro"_s, u"hanako"_s, FieldId::InstantMessage));
    const LabeledValueRecord chat = first(0, FieldId::InstantMessage);
    EXPECT_EQ(QStringList({chat.valueText(), chat.username, chat.service}),
        QStringList({u"hanako.chat"_s, u"hanako.chat"_s, u"Skype"_s}));
    EXPECT_TRUE(chat.stringValue.contains(u"hanako.chat"_s));
}

TEST_F(ReplaceAll, PlainValuesNamePartsAndEmptyFieldsAreRewrittenAndNoMatchChangesNothing)
{
    EXPECT_TRUE(replace(u"090"_s, u"080"_s, FieldId::Phone));
    EXPECT_EQ(first(0, FieldId::Phone).valueText(), u"080-1234-5678"_s);
    EXPECT_TRUE(replace(u"TARO"_s, u"Jiro"_s, FieldId::FirstName, 0, Qt::CaseInsensitive));
    EXPECT_EQ(person(0).stringValueForIdentifier(FieldId::FirstName, 0), u"Jiro0"_s);
    // An empty find string fills empty fields only.
    person(1).setValue(QString(), FieldId::Department);
    EXPECT_TRUE(replace(QString(), u"Sales"_s, FieldId::Department, 1));
    EXPECT_EQ(person(1).stringValueForIdentifier(FieldId::Department, 0), u"Sales"_s);
    EXPECT_FALSE(replace(QString(), u"Sales"_s, FieldId::Company, 1));
    endTurn();
    m_controller.undo();

    EXPECT_FALSE(replace(u"TARO"_s, u"Jiro"_s, FieldId::FirstName, 1));
    EXPECT_FALSE(replace(u"2005"_s, u"2006"_s, FieldId::Dates));
    EXPECT_FALSE(replace(u"Nagoya"_s, u"Sendai"_s, FieldId::City, 2));
    endTurn();
    EXPECT_FALSE(m_controller.undoManager()->canUndo());
    EXPECT_FALSE(person(2).changed());
}

namespace {

class Merge : public ReplaceAll {
protected:
    // The merge editor's result for contact 0: its values with a few changed.
    [[nodiscard]] ContactRecordPtr mergedRecord(const QColor &photo = {}) const
    {
        auto merged = ContactRecord::makeWithPerson(std::make_shared<MVPerson>());
        fillPerson(*merged->person, u"Taro0"_s);
        merged->uniqueId = contact(0)->uniqueId;
        if (!photo.isValid())
            return merged;
        merged->person->setValue(u"Merged Inc."_s, FieldId::Company);
        merged->person->addLabeledValue(first(1, FieldId::Phone), FieldId::Phone);
        QImage image(4, 4, QImage::Format_ARGB32);
        image.fill(photo);
        merged->person->setPhoto(image);
        return merged;
    }
};

} // namespace

TEST_F(Merge, TakesTheDifferingValuesAsOneUndoStepAndEqualValuesChangeNoRecord)
{
    m_controller.undoReplacePersonByContacts({mergedRecord()}, {contact(0)});
    endTurn();
    EXPECT_FALSE(person(0).changed());
    EXPECT_FALSE(m_controller.undoManager()->canUndo());

    // A different photo is taken over when both have one.
    QImage blue(4, 4, QImage::Format_ARGB32);
    blue.fill(Qt::blue);
    person(0).setPhoto(blue);
    const std::string before = dumpPerson(person(0));

    const ContactRecordPtr merged = mergedRecord(Qt::green);
    m_controller.undoReplacePersonByContacts({merged}, {contact(0)});
    EXPECT_EQ(dumpPerson(person(0)), dumpPerson(*merged->person));
    EXPECT_TRUE(person(0).changed());
    EXPECT_TRUE(m_window.isWindowModified());
    m_controller.undo();
    EXPECT_EQ(dumpPerson(person(0)), before);
    EXPECT_FALSE(m_controller.undoManager()->canUndo());
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

    m_controller.undoReplacePersonByContacts({mergedRecord(Qt::blue)}, {contact(0)});
    EXPECT_EQ(m_log.count(u"popover.closePopover"_s), 1);
    EXPECT_EQ(m_controller.popover(), nullptr);
    EXPECT_EQ(m_log.count(u"detached.updateTable"_s), 1);
    EXPECT_EQ(m_log.count(u"otherDetached.updateTable"_s), 0);

    // Undoing redraws the table and the detail pane only.
    endTurn();
    m_log.clear();
    m_controller.undo();
    endTurn();
    EXPECT_EQ(m_log.calls(), (QStringList{u"detail.updateTable"_s, u"table.updateTable"_s}));
}
