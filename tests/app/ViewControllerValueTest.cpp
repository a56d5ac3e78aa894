#include "PersonValueDump.h"
#include "ViewControllerFixture.h"

#include <QImage>

#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {

class ValueUndo : public FilledContactsTest {
protected:
    [[nodiscard]] LabeledValueRecord labeledAt(int i, const ContactIdentifier &identifier, qint64 labelIndex) const
    {
        const LabeledValueRecordPtr record = person(i).labeledValueForIdentifierAtLabelIndex(identifier, labelIndex);
        EXPECT_TRUE(record) << qPrintable(identifier) << " " << labelIndex;
        return record ? *record : LabeledValueRecord();
    }

    [[nodiscard]] bool nothingToUndo()
    {
        endTurn();
        return !m_controller.undoManager()->canUndo();
    }
};

// One row of the replace table: the field, the value handed in (made from
// the contact as it is), and what the field then reads.
struct ReplaceRow {
    const char *name;
    ContactIdentifier identifier;
    std::function<PersonValue(MVPerson &)> value;
    ContactIdentifier readIdentifier;
    qint64 readLabelIndex;
    QString expected;
};

void PrintTo(const ReplaceRow &row, std::ostream *out)
{
    *out << row.name;
}

LabeledValueRecord changedRecord(MVPerson &person, const ContactIdentifier &identifier, qint64 labelIndex,
    const std::function<void(LabeledValueRecord &)> &change)
{
    LabeledValueRecord record = *person.labeledValueForIdentifierAtLabelIndex(identifier, labelIndex);
    change(record);
    return record;
}

// A labeled value is read through the record reader, which brings a phone's
// display string up to date.
std::string readBack(MVPerson &person, const ContactIdentifier &identifier, qint64 labelIndex)
{
    if (const LabeledValueRecordPtr record = person.labeledValueForIdentifierAtLabelIndex(identifier, labelIndex))
        return record->stringValue.toStdString();
    return person.stringValueForIdentifier(identifier, labelIndex).toStdString();
}

QImage redSquare()
{
    QImage image(8, 8, QImage::Format_ARGB32);
    image.fill(Qt::red);
    return image;
}

const ReplaceRow replaceRows[] = {
    {"PhoneList", FieldId::Phone,
        [](MVPerson &p) {
            auto list = std::get<LabeledValueList>(p.valueForIdentifier(FieldId::Phone));
            list.removeFirst();
            auto added = std::make_shared<LabeledValueRecord>();
            added->label = u"work"_s;
            added->value = u"03-5555-0000"_s;
            list.append(added);
            return PersonValue(list);
        },
        FieldId::Phone, 2, u"03-5555-0000"_s},
    {"OneEmail", FieldId::Email,
        [](MVPerson &p) {
            return PersonValue(
                changedRecord(p, FieldId::Email, 1, [](LabeledValueRecord &r) { r.value = u"taro@work.example"_s; }));
        },
        FieldId::Email, 1, u"taro@work.example"_s},
    {"AddressPart", FieldId::City,
        [](MVPerson &p) {
            return PersonValue(
                changedRecord(p, FieldId::Address, 0, [](LabeledValueRecord &r) { r.city = u"大阪市北区"_s; }));
        },
        FieldId::City, 0, u"大阪市北区"_s},
    {"NameNil", FieldId::Name, [](MVPerson &) { return PersonValue(); }, FieldId::FirstName, 0, QString()},
    {"FirstName", FieldId::FirstName, [](MVPerson &) { return PersonValue(u"Jiro"_s); }, FieldId::FirstName, 0,
        u"Jiro"_s},
    {"PhoneticNameNil", FieldId::PhoneticName, [](MVPerson &) { return PersonValue(); }, FieldId::PhoneticLastName, 0,
        QString()},
    {"PhoneticPart", FieldId::PhoneticFirstName, [](MVPerson &) { return PersonValue(u"ジロウ"_s); },
        FieldId::PhoneticFirstName, 0, u"ジロウ"_s},
    {"BirthdayNil", FieldId::Birthday, [](MVPerson &) { return PersonValue(); }, FieldId::Birthday, 0, QString()},
    {"Photo", FieldId::Photo, [](MVPerson &) { return PersonValue(redSquare()); }, {}, 0, {}},
    {"HagakiLayout", FieldId::HagakiLayout,
        [](MVPerson &p) {
            HagakiLayoutRecordPtr layout = p.hagakiLayoutForLabelIndex(0);
            layout->renmei = !layout->printsRenmei();
            layout->receiverName = u"{{10, 20}, {30, 40}}"_s;
            return PersonValue(layout);
        },
        {}, 0, {}},
    {"NoteNil", FieldId::Note, [](MVPerson &) { return PersonValue(); }, FieldId::Note, 0, QString()},
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
    if (!row.readIdentifier.isEmpty()) {
        EXPECT_EQ(readBack(person(0), row.readIdentifier, row.readLabelIndex), row.expected.toStdString());
    }
    const std::string after = dumpPerson(person(0));
    EXPECT_NE(after, before);
    endTurn();

    m_controller.undo();
    EXPECT_EQ(dumpPerson(person(0)), before);
    EXPECT_TRUE(person(0).changed());
    m_controller.redo();
    EXPECT_EQ(dumpPerson(person(0)), after);
    EXPECT_EQ(dumpPerson(person(1)), untouched);
}

INSTANTIATE_TEST_SUITE_P(EveryRowOfTheIdentifierTable, ReplaceValue, testing::ValuesIn(replaceRows),
    [](const testing::TestParamInfo<ReplaceRow> &info) { return info.param.name; });

struct RefusedRow {
    const char *name;
    ContactIdentifier identifier;
    std::function<PersonValue(MVPerson &)> value;
};

void PrintTo(const RefusedRow &row, std::ostream *out)
{
    *out << row.name;
}

class RefusedReplace : public ValueUndo, public testing::WithParamInterface<RefusedRow> { };

TEST_P(RefusedReplace, AnswersNoAndRegistersAndChangesNothing)
{
    const std::string before = dumpPerson(person(0));
    EXPECT_FALSE(m_controller.undoReplaceValue(GetParam().value(person(0)), GetParam().identifier, contact(0)));
    EXPECT_TRUE(nothingToUndo());
    EXPECT_EQ(dumpPerson(person(0)), before);
    EXPECT_FALSE(person(0).changed());
    EXPECT_FALSE(m_window.isWindowModified());
    EXPECT_TRUE(m_log.calls().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Refusals, RefusedReplace,
    testing::Values(RefusedRow{"PhoneNil", FieldId::Phone, [](MVPerson &) { return PersonValue(); }},
        RefusedRow{"PhoneAsText", FieldId::Phone, [](MVPerson &) { return PersonValue(u"1"_s); }},
        RefusedRow{"EmailNumberNotHeld", FieldId::Email,
            [](MVPerson &p) {
                LabeledValueRecord record = *p.labeledValueForIdentifierAtLabelIndex(FieldId::Email, 0);
                record.labelIndex = 7;
                return PersonValue(record);
            }},
        RefusedRow{"SameFirstName", FieldId::FirstName, [](MVPerson &) { return PersonValue(u"Taro0"_s); }},
        RefusedRow{"FirstNameAsDate", FieldId::FirstName, [](MVPerson &) { return PersonValue(QDate(2020, 1, 1)); }},
        RefusedRow{"SamePhoneticPart", FieldId::PhoneticLastName, [](MVPerson &) { return PersonValue(u"ヤマダ"_s); }},
        RefusedRow{"AddressPartAsText", FieldId::City, [](MVPerson &) { return PersonValue(u"Osaka"_s); }},
        RefusedRow{"NameAsText", FieldId::Name, [](MVPerson &) { return PersonValue(u"Jiro"_s); }},
        RefusedRow{"PhotoAsText", FieldId::Photo, [](MVPerson &) { return PersonValue(u"x"_s); }},
        RefusedRow{"LayoutNil", FieldId::HagakiLayout, [](MVPerson &) { return PersonValue(); }},
        RefusedRow{"UnknownField", u"Shoe Size"_s, [](MVPerson &) { return PersonValue(u"27"_s); }}),
    [](const testing::TestParamInfo<RefusedRow> &info) { return info.param.name; });

TEST_F(ValueUndo, ThreeContactsChangedInOneTurnUndoInOneStep)
{
    const std::string before[] = {dumpPerson(person(0)), dumpPerson(person(1)), dumpPerson(person(2))};
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(m_controller.undoReplaceValue(u"Renamed Inc."_s, FieldId::Company, contact(i)));
    endTurn();
    m_controller.undo();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(dumpPerson(person(i)), before[i]);
    EXPECT_FALSE(m_controller.undoManager()->canUndo());
    EXPECT_FALSE(m_window.isWindowModified());
}

TEST_F(ValueUndo, TheEditedMarkFollowsUndoToTheSavePointAndRedo)
{
    ASSERT_TRUE(m_controller.undoReplaceValue(u"Saved Inc."_s, FieldId::Company, contact(0)));
    endTurn();
    // What a save does to the window.
    m_controller.undoManager()->removeAllActions();
    m_window.setWindowModified(false);

    ASSERT_TRUE(m_controller.undoReplaceValue(u"Edited Inc."_s, FieldId::Company, contact(0)));
    ASSERT_TRUE(m_controller.undoReplaceValue(u"Hanako"_s, FieldId::FirstName, contact(1)));
    endTurn();
    ASSERT_TRUE(m_controller.undoReplaceValue(u"Later Inc."_s, FieldId::Company, contact(2)));
    endTurn();
    EXPECT_TRUE(m_window.isWindowModified());
    m_controller.undo();
    EXPECT_TRUE(m_window.isWindowModified());
    m_controller.undo();
    EXPECT_FALSE(m_window.isWindowModified());
    EXPECT_EQ(person(0).stringValueForIdentifier(FieldId::Company, 0).toStdString(), "Saved Inc.");
    m_controller.redo();
    EXPECT_TRUE(m_window.isWindowModified());
}

TEST_F(ValueUndo, DeletingALabeledValueKeepsTheOtherNumbersAndUndoGivesItBack)
{
    const std::string before = dumpPerson(person(0));
    m_controller.undoDeleteLabeledValue(labeledAt(0, FieldId::Email, 0), FieldId::Email, contact(0));
    EXPECT_TRUE(person(0).changed());
    const auto emails = std::get<LabeledValueList>(person(0).valueForIdentifier(FieldId::Email));
    ASSERT_EQ(emails.size(), 1);
    EXPECT_EQ(emails.first()->labelIndex, 1);
    EXPECT_TRUE(m_log.calls().isEmpty());
    endTurn();
    m_controller.undo();
    EXPECT_EQ(dumpPerson(person(0)), before);
}

TEST_F(ValueUndo, DeletingFromAFieldWithoutLabelsChangesNothing)
{
    m_controller.undoDeleteLabeledValue(labeledAt(0, FieldId::Email, 0), FieldId::Note, contact(0));
    EXPECT_TRUE(nothingToUndo());
    EXPECT_FALSE(person(0).changed());
}

TEST_F(ValueUndo, AddingALabeledValueNumbersItAfterTheLargestAndRefreshesAllButTheTable)
{
    const std::string before = dumpPerson(person(0));
    m_controller.undoDeleteLabeledValue(labeledAt(0, FieldId::Phone, 0), FieldId::Phone, contact(0));
    LabeledValueRecord fax;
    fax.label = u"work fax"_s;
    fax.value = u"03-5555-0001"_s;
    m_log.clear();
    m_controller.undoAddLabeledValue(fax, FieldId::Phone, contact(0));
    EXPECT_EQ(person(0).stringValueForIdentifier(FieldId::Phone, 2).toStdString(), "03-5555-0001");
    endTurn();
    EXPECT_EQ(m_log.calls(), (QStringList{u"detail.updateTable"_s, u"preview.updateUI"_s}));
    EXPECT_TRUE(m_window.isWindowModified());
    endTurn();
    m_controller.undo();
    EXPECT_EQ(dumpPerson(person(0)), before);
}

TEST_F(ValueUndo, AddingABirthdaySetsItAndUndoGivesBackTheOldOne)
{
    const std::string before = dumpPerson(person(0));
    LabeledValueRecord birthday;
    birthday.value = StoreDateComponents{1975, 3, 3};
    m_controller.undoAddLabeledValue(birthday, FieldId::Birthday, contact(0));
    EXPECT_EQ(person(0).stringValueForIdentifier(FieldId::Birthday, 0).toStdString(), "1975.03.03(Mon)");
    endTurn();
    m_controller.undo();
    EXPECT_EQ(dumpPerson(person(0)), before);
    m_controller.redo();
    EXPECT_EQ(std::get<BirthdayRecord>(person(0).valueForIdentifier(FieldId::Birthday)).value,
        (StoreDateComponents{1975, 3, 3}));
}
