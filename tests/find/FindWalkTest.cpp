#include "FindTestContacts.h"

#include "find/FindReplacement.h"
#include "find/FindWalk.h"
#include "model/ContactRecord.h"
#include "model/SubContactRecord.h"

#include <gtest/gtest.h>

#include <functional>

using namespace FindTestContacts;
using namespace Qt::Literals::StringLiterals;

namespace {

const QStringList tableColumns{u"Sender"_s, u"Name"_s, u"Company"_s, u"Phone"_s, u"Instant Message"_s};
const QStringList allLabels{u"All"_s};

MVPersonPtr person(const QString &first, const QString &last)
{
    MVPersonPtr made = MVPerson::init();
    made->setValue(first, FieldId::FirstName);
    made->setValue(last, FieldId::LastName);
    return made;
}

// Ann Lee with two phones and a company; Leeann with a last name only; Kim
// Park shown last name first; Lee Corp shown as a company; Mo with a chat
// account; in that order, one row per phone.
QList<SubContactRecordPtr> fixedRows()
{
    QList<MVPersonPtr> people;
    people.append(person(u"Ann"_s, u"Lee"_s));
    addValue(*people.last(), FieldId::Phone, u"home"_s, u"555-ann-55"_s);
    addValue(*people.last(), FieldId::Phone, u"work"_s, u"777 Lee"_s);
    people.last()->setValue(u"Annex Lee"_s, FieldId::Company);
    people.append(person({}, u"Leeann"_s));
    people.append(person(u"Kim"_s, u"Park"_s));
    NameRecord lastFirst = *people.last()->nameValue();
    lastFirst.nameOrdering = 2;
    people.last()->setValue(lastFirst, FieldId::Name);
    people.append(person({}, {}));
    people.last()->setValue(u"Lee Corp"_s, FieldId::Company);
    people.last()->setShowAsPerson(false);
    people.append(person(u"Mo"_s, {}));
    addValue(*people.last(), FieldId::InstantMessage, u"home"_s, u"lee"_s, u"Skype"_s);
    QList<SubContactRecordPtr> rows;
    for (const MVPersonPtr &made : std::as_const(people)) {
        const qsizetype phones = made->phoneValues()->size();
        for (qsizetype position = 0; position < std::max<qsizetype>(1, phones); ++position)
            rows.append(std::make_shared<SubContactRecord>(made, made->uniqueIdValue(), position));
    }
    return rows;
}

// "<first name or company>:<identifier>/<part>/<labelIndex>@{loc,len}{item}".
QString describe(const ItemAndRangeRecordPtr &hit)
{
    if (!hit)
        return u"none"_s;
    MVPerson &found = *hit->contact->person;
    const QString who = found.showAsPerson() ? found.nameValue()->stringValue : found.compositeName();
    QString text = u"%1:%2/%3/%4@{%5,%6}"_s.arg(who, hit->identifier, hit->subIdentifier.value_or(u"-"_s))
                       .arg(hit->labelIndex.value_or(-1))
                       .arg(hit->range.location)
                       .arg(hit->range.length);
    if (hit->itemRange)
        text += u"{%1,%2}"_s.arg(hit->itemRange->location).arg(hit->itemRange->length);
    return text;
}

struct TableCase {
    const char *name;
    QString find;
    int steps; // walks forward (negative: backward) from the default target
    QString expected;
    Qt::CaseSensitivity caseSensitivity = Qt::CaseInsensitive;
    QStringList labels = allLabels;
};

class FindWalkTableTest : public testing::TestWithParam<TableCase> { };

TEST_P(FindWalkTableTest, StepsFromTheFirstRowsName)
{
    const TableCase &c = GetParam();
    const QList<SubContactRecordPtr> rows = fixedRows();
    ItemAndRangeRecordPtr target = FindWalk::defaultTarget(rows);
    ItemAndRangeRecordPtr hit;
    for (int step = 0; step < std::abs(c.steps); ++step) {
        hit = FindWalk::walkTable(
            c.find, *target, false, rows, tableColumns, c.labels, {c.caseSensitivity, c.steps < 0});
        if (!hit)
            break;
        target = hit;
    }
    EXPECT_EQ(describe(hit), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, FindWalkTableTest,
    testing::Values(TableCase{"FirstHitInTheNameCell", u"lee"_s, 1, u"Ann Lee:Name/LastName/0@{4,3}{0,3}"_s},
        TableCase{"LaterInTheSameCellBeforeTheNextColumn", u"5"_s, 2, u"Ann Lee:Phone/-/0@{1,1}"_s},
        TableCase{"CompanyThenPhoneThenAContinuationRowsPhoneOnly", u"lee"_s, 3, u"Ann Lee:Phone/-/1@{4,3}"_s},
        // The last name alone is shown from the cell's first character.
        TableCase{"LastNameAloneStartsAtZero", u"lee"_s, 4, u"Leeann:Name/LastName/0@{0,3}{0,3}"_s},
        TableCase{"FirstNameShownSecond", u"kim"_s, 1, u"Park Kim:Name/FirstName/0@{5,3}{0,3}"_s},
        // A company's name cell holds no name part; the hit keeps the
        // part the walk was given, which no Replace takes.
        TableCase{"CompanyInTheNameCell", u"corp"_s, 1, u"Lee Corp:Name/-/0@{4,4}"_s},
        TableCase{"ColonOfAChatAccount", u":"_s, 1, u"Mo:Instant Message/service/0@{5,1}{5,1}"_s},
        TableCase{"ChatUserName", u"lee"_s, 7, u"Mo:Instant Message/username/0@{6,3}{0,3}"_s},
        TableCase{"WrapsToTheFirstHit", u"lee"_s, 8, u"Ann Lee:Name/LastName/0@{4,3}{0,3}"_s},
        TableCase{"OnlyOccurrenceFoundAgain", u"park"_s, 2, u"Park Kim:Name/LastName/0@{0,4}{0,4}"_s},
        // From the company, every later row holds nothing: the name before
        // it in the same row is found after the wrap.
        TableCase{"AnEarlierHitInTheStartRowAfterTheWrap", u"Ann"_s, 3, u"Ann Lee:Name/FirstName/0@{0,3}{0,3}"_s,
            Qt::CaseSensitive},
        // The first row's name is searched whole, then the walk wraps to
        // the last row.
        TableCase{"BackwardFromTheFirstWrapsToTheLast", u"lee"_s, -2, u"Mo:Instant Message/username/0@{6,3}{0,3}"_s},
        TableCase{
            "CaseSensitiveSkipsOtherCases", u"Lee"_s, 7, u"Ann Lee:Name/LastName/0@{4,3}{0,3}"_s, Qt::CaseSensitive},
        TableCase{"ValuesTheLabelsLeaveOutHoldNoHit", u"777"_s, 1, u"none"_s, Qt::CaseInsensitive, {u"home"_s}},
        TableCase{"NothingFound", u"zzz"_s, 1, u"none"_s},
        TableCase{"ALongStringFindsNothing", QString(10000, u'a'), 1, u"none"_s}),
    [](const testing::TestParamInfo<TableCase> &info) { return std::string(info.param.name); });

TEST(FindWalkTable, NoRowsGiveADefaultTargetWithoutContactAndNoHit)
{
    const ItemAndRangeRecordPtr target = FindWalk::defaultTarget({});
    EXPECT_TRUE(target->uniqueId.isEmpty());
    EXPECT_EQ(target->identifier, FieldId::Name);
    EXPECT_EQ(FindWalk::walkTable(u"a"_s, *target, false, {}, tableColumns, allLabels, {}), nullptr);
}

TEST(FindWalkTable, AStaleTargetStartsAtTheFirstRow)
{
    const QList<SubContactRecordPtr> rows = fixedRows();
    ItemAndRangeRecord gone;
    gone.uniqueId = UniqueId(u"gone"_s);
    gone.identifier = FieldId::Phone;
    gone.labelIndex = 1;
    gone.range = {400, 3};
    EXPECT_EQ(describe(FindWalk::walkTable(u"lee"_s, gone, false, rows, tableColumns, allLabels, {})),
        u"Ann Lee:Name/LastName/0@{4,3}{0,3}"_s);
}

// The detail pane's walk over Ann Lee, whose phones were numbered 0 to 2
// and the first deleted.
class FindWalkDetailTest : public testing::Test {
protected:
    void SetUp() override
    {
        MVPersonPtr made = person(u"Ann"_s, u"Lee"_s);
        addValue(*made, FieldId::Phone, u"home"_s, u"111"_s);
        addValue(*made, FieldId::Phone, u"work"_s, u"ann 222"_s);
        addValue(*made, FieldId::Phone, u"other"_s, u"ann 333 ann"_s);
        made->deleteLabeledValueForIdentifierAtLabelIndex(FieldId::Phone, 0);
        made->setValue(u"Annex"_s, FieldId::Note);
        contact = std::make_shared<SubContactRecord>(made, made->uniqueIdValue(), 0);
        target = FindWalk::defaultTarget({contact});
    }

    QString step(const QString &find, bool backward = false)
    {
        const ItemAndRangeRecordPtr hit
            = FindWalk::walkContact(find, *target, true, contact, {Qt::CaseInsensitive, backward});
        if (hit)
            target = hit;
        return describe(hit);
    }

    SubContactRecordPtr contact;
    ItemAndRangeRecordPtr target;
};

TEST_F(FindWalkDetailTest, WalksTheFieldsInOrderAndWraps)
{
    // The first name's own text, from its first character.
    EXPECT_EQ(step(u"ann"_s), u"Ann Lee:Name/FirstName/0@{0,3}{0,3}"_s);
    // Phones by position, each hit naming its value's own labelIndex.
    EXPECT_EQ(step(u"ann"_s), u"Ann Lee:Phone/-/1@{0,3}"_s);
    EXPECT_EQ(step(u"ann"_s), u"Ann Lee:Phone/-/2@{0,3}"_s);
    EXPECT_EQ(step(u"ann"_s), u"Ann Lee:Phone/-/2@{8,3}"_s);
    EXPECT_EQ(step(u"ann"_s), u"Ann Lee:Note/-/0@{0,3}"_s);
    EXPECT_EQ(step(u"ann"_s), u"Ann Lee:Name/FirstName/0@{0,3}{0,3}"_s);
    // Backward: the name holds nothing before the hit; the note is next.
    EXPECT_EQ(step(u"ann"_s, true), u"Ann Lee:Note/-/0@{0,3}"_s);
    EXPECT_EQ(step(u"ann"_s, true), u"Ann Lee:Phone/-/2@{8,3}"_s);
}

TEST_F(FindWalkDetailTest, AnEarlierHitInTheTargetsFieldIsFoundLastForward)
{
    target->identifier = FieldId::Phone;
    target->labelIndex = 2;
    target->range = {8, 3};
    target->uniqueId = contact->person->uniqueIdValue();
    EXPECT_EQ(step(u"ann 2"_s), u"Ann Lee:Phone/-/1@{0,5}"_s);
    // Backward from the first phone, the second one is not visited again.
    EXPECT_EQ(step(u"333"_s, true), u"none"_s);
}

// --- What Replace and Replace All change ------------------------------------------------

struct ReplaceCase {
    const char *name;
    std::function<void(ItemAndRangeRecord &)> hit;
    QString find;
    Qt::CaseSensitivity caseSensitivity;
    QString expected; // identifier=text, or "none"
};

class FindReplacementTest : public testing::TestWithParam<ReplaceCase> { };

TEST_P(FindReplacementTest, ChangesOnlyTheFindStringStillAtTheHit)
{
    const ReplaceCase &c = GetParam();
    MVPersonPtr made = person(u"Ann"_s, u"Lee"_s);
    addValue(*made, FieldId::Phone, u"home"_s, u"555 Ann"_s);
    addValue(*made, FieldId::InstantMessage, u"home"_s, u"ann"_s, u"Annchat"_s);
    LabeledValueRecord address;
    address.label = u"home"_s;
    address.address->zip = u"100-0001"_s;
    address.address->city = u"Annaville"_s;
    made->addLabeledValue(address, FieldId::Address);
    ItemAndRangeRecord hit;
    c.hit(hit);
    const std::optional<FindReplacement::Change> change
        = FindReplacement::changeForHit(hit, 0, *made, c.find, u"X"_s, c.caseSensitivity);
    QString text = u"none"_s;
    if (change) {
        const auto *record = std::get_if<LabeledValueRecord>(&change->value);
        const auto *string = std::get_if<QString>(&change->value);
        text = change->identifier + u'='
            + (record ? (change->identifier == FieldId::Address ? record->addressPart(u"City"_s) : record->valueText())
                    : string ? *string
                             : QString());
    }
    EXPECT_EQ(text, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, FindReplacementTest,
    testing::Values(ReplaceCase{"Phone",
                        [](ItemAndRangeRecord &h) {
                            h.identifier = FieldId::Phone, h.range = {4, 3};
                        },
                        u"ann"_s, Qt::CaseInsensitive, u"Phone=555 X"_s},
        ReplaceCase{"OtherCaseWhenCaseSensitive",
            [](ItemAndRangeRecord &h) {
                h.identifier = FieldId::Phone, h.range = {4, 3};
            },
            u"ann"_s, Qt::CaseSensitive, u"none"_s},
        ReplaceCase{"StaleRange",
            [](ItemAndRangeRecord &h) {
                h.identifier = FieldId::Phone, h.range = {0, 3};
            },
            u"ann"_s, Qt::CaseInsensitive, u"none"_s},
        ReplaceCase{"RangePastTheText",
            [](ItemAndRangeRecord &h) {
                h.identifier = FieldId::Phone, h.range = {6, 3};
            },
            u"ann"_s, Qt::CaseInsensitive, u"none"_s},
        ReplaceCase{"NamePart",
            [](ItemAndRangeRecord &h) {
                h.identifier = FieldId::Name, h.subIdentifier = FieldId::LastName, h.range = {4, 3};
                h.itemRange = TextRange{0, 3};
            },
            u"lee"_s, Qt::CaseInsensitive, u"LastName=X"_s},
        ReplaceCase{"CompanyInTheNameCell",
            [](ItemAndRangeRecord &h) {
                h.identifier = FieldId::Name, h.range = {0, 3};
            },
            u"ann"_s, Qt::CaseInsensitive, u"none"_s},
        ReplaceCase{"ChatService",
            [](ItemAndRangeRecord &h) {
                h.identifier = FieldId::InstantMessage, h.subIdentifier = u"service"_s, h.range = {0, 3};
                h.itemRange = TextRange{0, 3};
            },
            u"ann"_s, Qt::CaseInsensitive, u"none"_s},
        ReplaceCase{"ChatUserName",
            [](ItemAndRangeRecord &h) {
                h.identifier = FieldId::InstantMessage, h.subIdentifier = u"username"_s, h.range = {8, 3};
                h.itemRange = TextRange{0, 3};
            },
            u"ann"_s, Qt::CaseInsensitive, u"Instant Message=X"_s},
        ReplaceCase{"AddressPartColumn",
            [](ItemAndRangeRecord &h) {
                h.identifier = u"City"_s, h.range = {0, 3};
            },
            u"ann"_s, Qt::CaseInsensitive, u"Address=Xaville"_s},
        ReplaceCase{"OneLineAddress",
            [](ItemAndRangeRecord &h) {
                h.identifier = FieldId::Address, h.subIdentifier = u"City"_s, h.range = {9, 3};
                h.itemRange = TextRange{4, 3};
            },
            u"vil"_s, Qt::CaseInsensitive, u"Address=AnnaXle"_s}),
    [](const testing::TestParamInfo<ReplaceCase> &info) { return std::string(info.param.name); });

TEST(FindReplacementTexts, TheTableReplacesWhatItsCellsShow)
{
    MVPersonPtr made = person(u"Ann"_s, u"Lee"_s);
    made->setValue(u"M"_s, FieldId::MiddleName);
    addValue(*made, FieldId::Phone, u"home"_s, u"1"_s);
    addValue(*made, FieldId::Phone, u"work"_s, u"2"_s);
    addValue(*made, FieldId::Phone, u"home"_s, u"3"_s);
    LabeledValueRecord address;
    address.label = u"work"_s;
    address.address->city = u"C"_s;
    made->addLabeledValue(address, FieldId::Address);
    using Texts = QList<FindReplacement::Text>;
    EXPECT_EQ(FindReplacement::textsOfColumns(*made, {u"Sender"_s, u"Name"_s}, allLabels),
        Texts({{FieldId::FirstName, 0}, {FieldId::LastName, 0}}));
    EXPECT_EQ(FindReplacement::textsOfColumns(*made, {u"Phone"_s, u"Company"_s, u"Birthday"_s}, {u"home"_s}),
        Texts({{FieldId::Phone, 0}, {FieldId::Phone, 2}, {FieldId::Company, 0}}));
    EXPECT_EQ(FindReplacement::textsOfColumns(*made, {u"ZIP"_s, u"City"_s}, allLabels),
        Texts({{FieldId::ZIP, 0}, {FieldId::City, 0}}));
    made->setShowAsPerson(false);
    EXPECT_EQ(FindReplacement::textsOfColumns(*made, {u"Name"_s}, allLabels), Texts());
}

} // namespace
