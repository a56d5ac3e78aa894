#include "PersonValueDump.h"
#include "ViewControllerFixture.h"

#include <QImage>

#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {

using ValueUndo = FilledContactsTest;

// A value handed in for a field of contact 0 (made from the contact as it
// is), and, for a change, the field and label number it is read back from.
struct ReplaceRow {
    const char *name;
    ContactIdentifier identifier;
    std::function<PersonValue(MVPerson &)> value;
    ContactIdentifier readIdentifier = {};
    qint64 readLabelIndex = 0;
    QString expected = {};
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

// A labeled value is read through the record reader, which brings a phone's
// display string up to date.
QString readBack(MVPerson &person, const ContactIdentifier &identifier, qint64 labelIndex)
{
    if (const LabeledValueRecordPtr record = person.labeledValueForIdentifierAtLabelIndex(identifier, labelIndex))
        return record->stringValue;
    return person.stringValueForIdentifier(identifier, labelIndex);
}

PersonValue constant(const PersonValue &value)
{
    return value;
}

const ReplaceRow replaceRows[] = {
    {"PhoneList", FieldId::Phone,
        [](MVPerson &p) {
            auto list = std::get<LabeledValueList>(p.valueForIdentifier(FieldId::Phone));
            list.removeFirst();
            auto added = std::make_shared<LabeledValueRecord>();
            added->value = u"03-5555-0000"_s;
            return PersonValue(list << added);
        },
        FieldId::Phone, 2, u"03-5555-0000"_s},
    {"OneEmail", FieldId::Email,
        [](MVPerson &p) { return changed(p, FieldId::Email, 1, [](auto &r) { r.value = u"taro@work.example"_s; }); },
        FieldId::Email, 1, u"taro@work.example"_s},
    {"AddressPart", FieldId::City,
        [](MVPerson &p) { return changed(p, FieldId::Address, 0, [](auto &r) { r.city = u"大阪市北区"_s; }); },
        FieldId::City, 0, u"大阪市北区"_s},
    {"NameNil", FieldId::Name, [](MVPerson &) { return PersonValue(); }, FieldId::FirstName, 0, QString()},
    {"PhoneticPart", FieldId::PhoneticFirstName, [](MVPerson &) { return PersonValue(u"ジロウ"_s); },
        FieldId::PhoneticFirstName, 0, u"ジロウ"_s},
    {"Photo", FieldId::Photo,
        [](MVPerson &) {
            QImage image(8, 8, QImage::Format_ARGB32);
            image.fill(Qt::red);
            return PersonValue(image);
        }},
    {"HagakiLayout", FieldId::HagakiLayout,
        [](MVPerson &p) {
            HagakiLayoutRecordPtr layout = p.hagakiLayoutForLabelIndex(0);
            layout->renmei = !layout->printsRenmei();
            layout->receiverName = u"{{10, 20}, {30, 40}}"_s;
            return PersonValue(layout);
        }},
    {"Renmei", FieldId::Renmei, [](MVPerson &) { return PersonValue(u"花子\n一郎"_s); }, FieldId::Renmei, 0,
        u"花子\n一郎"_s},
};

class ReplaceValue : public ValueUndo, public testing::WithParamInterface<ReplaceRow> { };

} // namespace

TEST_P(ReplaceValue, ChangesTheFieldAndUndoAndRedoGiveBackTheExactValues)
{
    const ReplaceRow &row = GetParam();
    const std::string before = dumpPerson(person(0));
    const std::string untouched = dumpPerson(person(1));

    ASSERT_TRUE(m_controller.undoReplaceValue(row.value(person(0)), row.identifier, contact(0)));
    EXPECT_TRUE(person(0).changed());
    EXPECT_TRUE(m_window.isWindowModified());
    if (!row.readIdentifier.isEmpty())
        EXPECT_EQ(readBack(person(0), row.readIdentifier, row.readLabelIndex), row.expected);
    const std::string after = dumpPerson(person(0));
    EXPECT_NE(after, before);
    endTurn();

    m_controller.undo();
    EXPECT_EQ(dumpPerson(person(0)), before);
    m_controller.redo();
    EXPECT_EQ(dumpPerson(person(0)), after);
    EXPECT_EQ(dumpPerson(person(1)), untouched);
}

INSTANTIATE_TEST_SUITE_P(Fields, ReplaceValue, testing::ValuesIn(replaceRows),
    [](const testing::TestParamInfo<ReplaceRow> &info) { return info.param.name; });

class RefusedReplace : public ValueUndo, public testing::WithParamInterface<ReplaceRow> { };

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
        ReplaceRow{"SameFirstName", FieldId::FirstName, [](MVPerson &) { return constant(u"Taro0"_s); }},
        ReplaceRow{"AddressPartAsText", FieldId::City, [](MVPerson &) { return constant(u"Osaka"_s); }},
        ReplaceRow{"LayoutNil", FieldId::HagakiLayout, [](MVPerson &) { return constant({}); }},
        ReplaceRow{"UnknownField", u"Shoe Size"_s, [](MVPerson &) { return constant(u"27"_s); }}),
    [](const testing::TestParamInfo<ReplaceRow> &info) { return info.param.name; });

TEST_F(ValueUndo, TheEditedMarkFollowsUndoToTheSavePointAndRedo)
{
    ASSERT_TRUE(m_controller.undoReplaceValue(u"Saved Inc."_s, FieldId::Company, contact(0)));
    endTurn();
    // What a save does to the window.
    m_controller.undoManager()->removeAllActions();
    m_window.setWindowModified(false);

    // Changes of three contacts in one turn are one step.
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
    const LabeledValueRecord firstPhone = *person(0).labeledValueForIdentifierAtLabelIndex(FieldId::Phone, 0);
    m_controller.undoDeleteLabeledValue(firstPhone, FieldId::Note, contact(0));
    endTurn();
    EXPECT_FALSE(m_controller.undoManager()->canUndo()) << "a field without labels has nothing to delete";

    m_controller.undoDeleteLabeledValue(firstPhone, FieldId::Phone, contact(0));
    EXPECT_TRUE(person(0).changed());
    const auto phones = std::get<LabeledValueList>(person(0).valueForIdentifier(FieldId::Phone));
    ASSERT_EQ(phones.size(), 1);
    EXPECT_EQ(phones.first()->labelIndex, 1);
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
