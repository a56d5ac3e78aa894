#include "PersonValueDump.h"
#include "ViewControllerFixture.h"

#include "editors/AddressViewController.h"
#include "editors/DateViewController.h"
#include "editors/DatesViewController.h"
#include "editors/EditorHarness.h"
#include "editors/EditorTestContacts.h"
#include "editors/IMSViewController.h"
#include "editors/MultiValueViewController.h"
#include "editors/NameViewController.h"
#include "editors/PhoneticNameViewController.h"
#include "editors/RenmeiViewController.h"
#include "editors/SNSViewController.h"
#include "editors/ValueEditorResult.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {

// Contact c0 edited in a popover beside a cell, its result applied through
// the window's controller when the popover closes, as the openers do.
class EditorHandOff : public FilledContactsTest {
protected:
    void SetUp() override
    {
        FilledContactsTest::SetUp();
        NameRecord name = *person(0).nameValue();
        name.setPreviousFamilyName(u"Sato"_s);
        person(0).setValue(name, FieldId::Name);
        m_before = dumpPerson(person(0));
    }

public:
    template <typename Editor>
    Editor *open(const ContactIdentifier &type, QSize size, std::optional<qint64> labelIndex = std::nullopt)
    {
        m_context = EditorHarness::context(contact(0), type, true, labelIndex);
        auto *editor = m_harness.open<Editor>(m_context, size, true);
        QObject::connect(m_harness.popover(), &Popover::didClose, m_harness.popover(),
            [this] { m_applied = applyValueEditorResult(m_context, contact(0), &m_controller); });
        return editor;
    }

protected:
    EditorHarness m_harness;
    PopoverContextInfoPtr m_context;
    std::string m_before;
    bool m_applied = false;
};

// An editor opened on a field (a new value with label number -1), text typed
// into one of its fields or its Add button pressed, and the field's values
// as "labelIndex:part" words afterwards.
struct HandOffRow {
    const char *name;
    std::function<ValueEditor *(EditorHandOff &)> edit;
    std::function<QString(MVPerson &)> read;
    QString expected;
};

class EditorResult : public EditorHandOff, public testing::WithParamInterface<HandOffRow> { };

TEST_P(EditorResult, ChangesTheContactAsShownAndOneUndoTakesItBack)
{
    ValueEditor *editor = GetParam().edit(*this);
    QTest::mouseClick(editor->doneButton(), Qt::LeftButton);
    EXPECT_TRUE(m_applied);
    EXPECT_EQ(GetParam().read(person(0)), GetParam().expected);
    EXPECT_TRUE(m_window.isWindowModified());

    endTurn();
    m_controller.undo();
    EXPECT_EQ(dumpPerson(person(0)), m_before);
    EXPECT_FALSE(m_controller.undoManager()->canUndo());
}

std::function<QString(MVPerson &)> valuesOf(const ContactIdentifier &type, QString (*part)(const LabeledValueRecord &))
{
    return [type, part](MVPerson &p) {
        QStringList words;
        const PersonValue values = p.valueForIdentifier(type);
        for (const LabeledValueRecordPtr &record : std::get<LabeledValueList>(values))
            words.append(u"%1:%2"_s.arg(record->labelIndex).arg(part(*record)));
        return words.join(u' ');
    };
}

QString chatOf(const LabeledValueRecord &record)
{
    return record.accountParts().service + u'/' + record.accountParts().username;
}

template <typename Editor, typename Field>
std::function<ValueEditor *(EditorHandOff &)> typing(
    const ContactIdentifier &type, QSize size, std::optional<qint64> labelIndex, Field field, const QString &text)
{
    return [=](EditorHandOff &test) -> ValueEditor * {
        auto *editor = test.open<Editor>(type, size, labelIndex);
        EditorHarness::type(std::invoke(field, editor), text);
        return editor;
    };
}

template <typename Editor>
std::function<ValueEditor *(EditorHandOff &)> adding(const ContactIdentifier &type, QSize size)
{
    return [=](EditorHandOff &test) -> ValueEditor * {
        auto *editor = test.open<Editor>(type, size);
        QTest::mouseClick(editor->addButton(), Qt::LeftButton);
        return editor;
    };
}

const auto cities = valuesOf(FieldId::Address, [](const LabeledValueRecord &r) { return r.addressParts().city; });

INSTANTIATE_TEST_SUITE_P(Rows, EditorResult,
    testing::Values(
        HandOffRow{"Name",
            typing<NameViewController>(
                FieldId::Name, {340, 316}, std::nullopt, &NameViewController::firstNameField, u"Jiro"_s),
            [](MVPerson &p) -> QString { return p.compositeName() + u'/' + p.nameValue()->previousFamilyName(); },
            u"Jiro Yamada/Sato"_s},
        HandOffRow{"PhoneticName",
            typing<PhoneticNameViewController>(
                FieldId::PhoneticName, {340, 220}, std::nullopt, &PhoneticNameViewController::middleNameField, u"Q"_s),
            [](MVPerson &p) { return p.phoneticNameValue()->middleName; }, u"Q"_s},
        HandOffRow{"Birthday",
            [](EditorHandOff &test) -> ValueEditor * {
                auto *editor = test.open<DateViewController>(FieldId::Birthday, QSize(340, 284));
                QTest::keyClick(editor->monthPopup(), Qt::Key_Down);
                return editor;
            },
            [](MVPerson &p) { return p.birthdayValue()->value->date().toString(Qt::ISODate); }, u"1980-06-01"_s},
        HandOffRow{"Dates", adding<DatesViewController>(FieldId::Dates, {340, 392}),
            [](MVPerson &p) { return datesOf(p.valueForIdentifier(FieldId::Dates)).join(u' '); },
            u"0:2005-04-29 1:"_s + QDate::currentDate().toString(Qt::ISODate)},
        HandOffRow{"NewChat",
            typing<IMSViewController>(
                FieldId::InstantMessage, {340, 192}, -1, &IMSViewController::usernameField, u"jiro"_s),
            valuesOf(FieldId::InstantMessage, chatOf), u"0:Skype/taro.chat 1:AIM/jiro"_s},
        HandOffRow{"EditedChat",
            typing<IMSViewController>(
                FieldId::InstantMessage, {340, 192}, 0, &IMSViewController::usernameField, u"taro.q"_s),
            valuesOf(FieldId::InstantMessage, chatOf), u"0:Skype/taro.q"_s},
        HandOffRow{"NewProfile",
            typing<SNSViewController>(
                FieldId::SocialNetwork, {400, 222}, -1, &SNSViewController::usernameField, u"jiro_y"_s),
            valuesOf(FieldId::SocialNetwork, chatOf), u"0:Twitter/taro_y 1:Twitter/jiro_y"_s},
        HandOffRow{"NewAddress",
            typing<AddressViewController>(
                FieldId::Address, {340, 460}, -1, &AddressViewController::cityField, u"Kobe"_s),
            cities, u"0:京都市中京区 1:Kobe"_s},
        HandOffRow{"EditedAddress",
            typing<AddressViewController>(
                FieldId::Address, {340, 460}, 0, &AddressViewController::cityField, u"Kobe"_s),
            cities, u"0:Kobe"_s},
        HandOffRow{"AllPhones", adding<MultiValueViewController>(FieldId::Phone, {360, 260}),
            valuesOf(FieldId::Phone, [](const LabeledValueRecord &r) { return r.stringValue; }),
            u"0:090-1234-5678 1:075-123-4567 2:new"_s},
        HandOffRow{"JointNames", adding<RenmeiViewController>(FieldId::Renmei, {368, 260}),
            [](MVPerson &p) { return std::get<QString>(p.valueForIdentifier(FieldId::Renmei)); }, u"花子\nnew"_s}),
    [](const auto &info) { return std::string(info.param.name); });

class EditorClosedWithoutDone : public EditorHandOff, public testing::WithParamInterface<bool> { };

TEST_P(EditorClosedWithoutDone, LeavesTheUndoStackAndTheEditedMarkAlone)
{
    auto *editor = open<NameViewController>(FieldId::Name, QSize(340, 316));
    EditorHarness::type(editor->firstNameField(), u"Jiro"_s);
    if (GetParam())
        QTest::mouseClick(editor->cancelButton(), Qt::LeftButton);
    else
        QTest::mouseClick(m_harness.window(), Qt::LeftButton, {}, QPoint(400, 250));
    EXPECT_FALSE(m_harness.isOpen() || m_applied);
    endTurn();
    EXPECT_FALSE(m_controller.undoManager()->canUndo() || m_window.isWindowModified());
    EXPECT_EQ(dumpPerson(person(0)), m_before);
}

INSTANTIATE_TEST_SUITE_P(Rows, EditorClosedWithoutDone, testing::Bool(),
    [](const auto &info) { return info.param ? "Cancel" : "ClickOutside"; });

} // namespace
