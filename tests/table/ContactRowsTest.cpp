#include "TableTestSupport.h"

#include "model/MVPerson.h"
#include "platform/contacts/ContactLabels.h"
#include "table/ContactTableModel.h"
#include "table/ContactsViewController.h"

using namespace TableTest;

namespace {

const QString home = ContactLabels::home;
const QString work = ContactLabels::work;
const QString mobile = ContactLabels::phoneNumberMobile;
const QStringList addressDetail{"Sender", "Name", "Renmei", "Company", "ZIP", "State", "City", "Street", "Country"};

class ContactRows : public TableTestCase {
protected:
    void build(const ContactTablePtr &contacts, const QStringList &columns, const QStringList &labels = {"All"})
    {
        model.setContactTable(contacts);
        model.setColumnIdentifiers(columns);
        model.setSelectedLabels(labels);
        model.updateSubContactTable();
        model.reload();
    }
    [[nodiscard]] QString cell(int row, int column) const { return model.index(row, column).data().toString(); }

    ContactTableModel model;
};

TEST_F(ContactRows, EachPositionAnyColumnNeedsGetsARowAndTheNameShowsOnTheFirstOnly)
{
    StoreContact ann = person("Ann", "Lee");
    setPhones(ann, {{home, "03-1111"}, {work, "03-2222"}});
    setEmails(ann, {{home, "a@x.jp"}, {work, "b@x.jp"}, {home, "c@x.jp"}});
    build(table({ann}), {"Sender", "Name", "Phone", "Email"});

    EXPECT_EQ(rowNames(model.subContactTable()), QStringList({"Ann:0", "Ann:1", "Ann:2"}));
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(cell(0, 1), "Ann Lee");
    EXPECT_EQ(cell(1, 1), "");
    EXPECT_EQ(cell(2, 2), "");
    EXPECT_EQ(cell(2, 3), "c@x.jp");
}

// Five address columns read one list: each position a filter passes gets one
// row, the first whether it passes or not.
TEST_F(ContactRows, APositionTheFilterPassesGetsOneRowWhateverTheColumnsThatNeedItAndTheFirstIsMadeAnyway)
{
    StoreContact cy = person("Cy");
    setStreets(cy, {{home, "1 Elm"}, {home, "2 Oak"}, {work, "3 Ash"}});
    setEmails(cy, {{home, "a@x"}, {work, "b@x"}});
    QStringList columns = addressDetail;
    columns.append("Email");
    build(table({cy}), columns, {"work"});

    EXPECT_EQ(rowNames(model.subContactTable()), QStringList({"Cy:0", "Cy:2"}));
    EXPECT_EQ(cell(1, columns.indexOf("Street")), "3 Ash");
    EXPECT_EQ(MVPerson::customLabelsForIdentifier("Street")->size(), 2) << "home and work, once each";

    // The first row is made anyway; values failing the filter show nothing.
    StoreContact bo = person("Bo");
    setPhones(bo, {{home, "03-1111"}, {work, "03-2222"}, {mobile, "090-3333"}});
    build(table({bo}), {"Name", "Phone"}, {"work"});
    EXPECT_EQ(rowNames(model.subContactTable()), QStringList({"Bo:0", "Bo:1"}));
    EXPECT_EQ(cell(0, 1), "");
    EXPECT_EQ(cell(1, 1), "03-2222");
}

TEST_F(ContactRows, DeletedContactsAndContactsWithoutPersonMakeNoRowsAndTheFooterCountsTheRest)
{
    RecordingDelegate delegate;
    delegate.group->name = "Family";
    model.setDelegate(&delegate);
    auto contacts = generatedTable(5);
    (*contacts)[1]->deleted = true;
    (*contacts)[3]->deleted = true;
    build(contacts, {"Name"});
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.index(3, 0).data().toString(), "Family: total 3 contacts");
    EXPECT_FALSE(model.flags(model.index(3, 0)) & Qt::ItemIsSelectable);
    EXPECT_FALSE(model.flags(model.index(0, 0)) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable));

    for (const ContactRecordPtr &contact : *contacts)
        contact->deleted = true;
    build(contacts, {"Name"});
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_FALSE(model.isFooterRow(0));
    contacts->append(std::make_shared<ContactRecord>());
    build(contacts, {"Name"});
    EXPECT_TRUE(model.subContactTable().isEmpty());
}

TEST_F(ContactRows, ReloadMarksContinuationRowsInTheCurrentOrderAndRowCountChangesNothing)
{
    ContactsViewController controller;
    RecordingDelegate delegate;
    controller.setDelegate(&delegate);
    auto contacts = table({person("Fay"), person("Gus"), person("Hal")});
    const auto addStreet = [&](int contact, const QString &street, bool sender) {
        auto address = std::make_shared<LabeledValueRecord>();
        address->address->street = street;
        address->stringValue = street;
        if (sender)
            address->layout->sender = true;
        (*contacts)[contact]->person->addressValues()->append(address);
    };
    addStreet(0, "A", false);
    addStreet(0, "C", true);
    addStreet(1, "D", false);
    addStreet(1, "E", false);
    addStreet(2, "B", true);
    controller.setContactTable(contacts);
    controller.setColumnIdentifiers({"Name", "Address"});
    controller.setSelectedLabels({"All"});
    controller.updateSubContactTable();
    controller.sortSubContactTable({{"Address", true}});
    controller.reload();
    controller.reload();

    QStringList marks;
    for (const SubContactRecordPtr &row : controller.subContactTable())
        marks.append(QStringLiteral("%1%2").arg(row->notFirstRow ? "+" : "").arg(rowNames({row}).first()));
    EXPECT_EQ(marks, QStringList({"Fay:0", "Hal:0", "Fay:1", "Gus:0", "+Gus:1"}));
    ASSERT_EQ(delegate.senders.size(), 2);
    EXPECT_EQ(rowNames({delegate.senders.last()}), QStringList({"Fay:1"}));

    for (int call = 0; call < 100; ++call)
        (void)controller.model()->rowCount();
    EXPECT_EQ(delegate.senders.size(), 2);
    EXPECT_EQ(controller.subContactTable().size(), 5);
}

TEST_F(ContactRows, HeightsCountTheLinesOfEveryColumnAtTheRowsPositionAndStayWhileFinding)
{
    auto contacts = table({person("Ida")});
    MVPerson &ida = *contacts->first()->person;
    ida.stringValues()->setEntry("Note", "one\ntwo\nthree");
    ida.phoneValues()->append(std::make_shared<LabeledValueRecord>());
    ida.phoneValues()->append(std::make_shared<LabeledValueRecord>());
    build(contacts, {"Name", "Note", "Phone"});
    const int line = model.rowHeight();
    EXPECT_EQ(model.heightOfRow(0), 3 * line);
    EXPECT_EQ(model.subContactTable().first()->numLines, 3);
    EXPECT_EQ(model.heightOfRow(1), line);
    EXPECT_EQ(model.heightOfRow(3), line) << "footer";
    EXPECT_EQ(model.heightOfRow(99), line);

    ida.stringValues()->setEntry("Renmei", "Jo\nKim");
    build(contacts, {"Name", "Renmei", "Phone"});
    EXPECT_EQ(model.heightOfRow(1), 2 * line);

    // A text wider than its column leaves the row as it was while finding.
    StoreContact kay = person("Kay");
    setEmails(kay, {{home, "a.very.long.address.of.kay@example.org"}});
    build(table({kay}), {"Name", "Email"});
    model.setFindString("kay");
    EXPECT_EQ(model.heightOfRow(0), line);
    model.setFindString("");
    EXPECT_EQ(model.heightOfRow(0), line);
}

// A large table is measured a block of rows at a time: every row, those of
// the contacts whose three rows straddle a block's end (4,096 and 8,192)
// among them, gets the height it gets measured on its own.
TEST_F(ContactRows, HeightsOfAllRowsAreEachRowsOwnAcrossBlocks)
{
    QList<StoreContact> people;
    for (int index = 0; index < 2800; ++index) {
        StoreContact someone = person(QStringLiteral("P%1").arg(index));
        const bool tall = index % 5 == 0 || index == 1365 || index == 2730;
        setPhones(someone, {{home, "03-1111"}, {work, tall ? "03-2222\n03-3333" : "03-2222"}, {mobile, "090"}});
        people.append(someone);
    }
    const ContactTablePtr contacts = table(people);
    for (const qsizetype index : {1364, 1365, 2730})
        contacts->at(index)->person->stringValues()->setEntry("Note", "one\ntwo\nthree\nfour");
    build(contacts, {"Name", "Note", "Phone"});
    ASSERT_EQ(model.subContactTable().size(), 3 * 2800);
    const QList<int> heights = model.heightsOfRows();
    QList<int> alone;
    for (int row = 0; row <= model.subContactTable().size(); ++row)
        alone.append(model.heightOfRow(row));
    EXPECT_EQ(heights, alone);
    const int line = model.rowHeight();
    EXPECT_EQ(heights.mid(4094, 5), (QList<int>{line, 4 * line, 2 * line, line, line}));
    EXPECT_EQ(heights.count(4 * line), 3);
    EXPECT_EQ(model.measuredHeightsOfRows(), heights);
}

// A contact read from a file keeps its phone number, e-mail address and
// address as texts until its lists are asked for. Its rows, their heights and
// their cells are those of the same contact with its lists made, and laying
// the rows out and measuring them leaves the texts waiting.
TEST_F(ContactRows, ContactsHoldingAFilesValuesShowAndMeasureAsWithTheirLists)
{
    const QList<ReadLabeledValues> given{
        {"03-1", "a@x.jp", "100-0001", "東京都千代田区", "千代田1-1\n2階", "2;rn:{{1.50,2.25},{100.00,50.00}};"},
        {"03-2", {}, {}, {}, {}, {}},
        {{}, "c@x.jp", {}, {}, "1-3\nB\nC", {}},
        {{}, {}, "100-0004", {}, {}, {}},
        {{}, {}, {}, {}, {}, {}},
    };
    const auto contacts = [&given] {
        auto made = std::make_shared<ContactTable>();
        for (qsizetype index = 0; index < given.size(); ++index) {
            const MVPersonPtr person = MVPerson::init();
            NameRecord name;
            name.firstName = QStringLiteral("P%1").arg(index);
            person->setValue(name, FieldId::Name);
            person->holdReadValues(given.at(index));
            made->append(ContactRecord::makeWithPerson(person));
        }
        return made;
    };
    const QStringList columns{"Name", "Phone", "Email", "Address", "ZIP", "State", "City", "Street"};
    struct Shown {
        QStringList rows;
        QList<int> heights;
        QStringList cells;
    };
    const auto waitingCount = [](const ContactTablePtr &table) {
        return std::count_if(table->cbegin(), table->cend(),
            [](const ContactRecordPtr &contact) { return contact->person->pendingReadValues() != nullptr; });
    };
    const auto shown = [this, &columns, &waitingCount](const ContactTablePtr &table) {
        const auto waitingBefore = waitingCount(table);
        build(table, columns);
        Shown seen{rowNames(model.subContactTable()), model.heightsOfRows(), {}};
        EXPECT_EQ(waitingCount(table), waitingBefore);
        for (int row = 0; row < model.subContactTable().size(); ++row) {
            for (int column = 0; column < columns.size(); ++column)
                seen.cells.append(cell(row, column));
        }
        return seen;
    };
    const ContactTablePtr made = contacts();
    for (const ContactRecordPtr &contact : std::as_const(*made))
        contact->person->settleReadValues();
    const Shown withLists = shown(made);
    const ContactTablePtr read = contacts();
    EXPECT_EQ(waitingCount(read), 4);
    const Shown waiting = shown(read);
    EXPECT_EQ(waiting.rows, withLists.rows);
    EXPECT_EQ(waiting.heights, withLists.heights);
    EXPECT_EQ(waiting.cells, withLists.cells);
    const int line = model.rowHeight();
    EXPECT_EQ(waiting.heights, (QList<int>{2 * line, line, 3 * line, line, line, line}));
    EXPECT_TRUE(waiting.cells.contains("千代田1-1\n2階"));
}

} // namespace
