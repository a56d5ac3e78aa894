#include "DetailTestSupport.h"

#include "detail/DetailRowOrder.h"

using namespace DetailTest;
using namespace Qt::Literals::StringLiterals;

namespace {

// The rows of a contact in the built-in order.
class Rows : public testing::Test {
protected:
    void SetUp() override { FieldVocabulary::shared().removeAllCustomLabels(); }

    QList<InfoRowRecord> rowsOf(const ContactRecordPtr &contact)
    {
        m_model.setUserDefaults(m_defaults.get());
        m_model.setContact(contact);
        m_model.reload();
        return m_model.table();
    }

    static QStringList typesOf(const QList<InfoRowRecord> &rows)
    {
        QStringList types;
        for (const InfoRowRecord &row : rows) {
            if (types.isEmpty() || types.last() != row.type)
                types.append(row.type);
        }
        return types;
    }

    std::unique_ptr<UserDefaults> m_defaults = freshDefaults();
    ContactInfoTableModel m_model;
};

TEST_F(Rows, EveryValueHasItsRowAndAFieldWithoutValuesOneEmptyRow)
{
    const ContactRecordPtr contact = contactNamed(QStringLiteral("Ann"));
    setLabeled(*contact->person, FieldId::Phone, {{"home", "111"}, {"work", "222"}});
    QStringList shown; // label, index and place in the order of each phone and e-mail row
    for (const InfoRowRecord &row : rowsOf(contact)) {
        if (row.type == FieldId::Phone || row.type == FieldId::Email)
            shown.append(u"%1 %2 %3 %4"_s
                             .arg(QString(row.type), row.label.value_or(u"?"_s),
                                 row.index ? QString::number(*row.index) : u"-"_s)
                             .arg(row.rowOrderIndex));
    }
    // The type's place in the order, however many rows stand above it.
    EXPECT_EQ(shown, (QStringList{u"Email  - 9"_s, u"Phone home 0 10"_s, u"Phone work 1 10"_s}));
}

TEST_F(Rows, StoredOrderIsShownWithJointNamesAddedAndIsNotRewritten)
{
    const std::pair<QVariant, QStringList> orders[] = {
        {QStringList{"Name", "Photo", "Company", "Note"}, {"Name", "Photo", "Renmei", "Company", "Note"}},
        {QStringList{"Name", "Renmei", "Company"}, {"Name", "Renmei", "Company"}}, // without "Note"
        {QStringList{"Name"}, {"Name", "Renmei"}},
        {QStringLiteral("Name"), DetailRowOrder::defaultOrder()}, // not a list
        {QVariantList{1, "Name", true, "Note"}, {"Name", "Note", "Renmei"}}, // entries not text
    };
    for (const auto &[stored, shown] : orders) {
        const auto defaults = freshDefaults();
        defaults->setObject(stored, DetailRowOrder::lastRowOrderKey);
        ContactInfoTableModel model;
        model.setUserDefaults(defaults.get());
        model.setContact(contactNamed(QStringLiteral("Ann")));
        model.reload();
        EXPECT_EQ(typesOf(model.table()).join(u' '), shown.join(u' '));
        EXPECT_EQ(defaults->objectForKey(DetailRowOrder::lastRowOrderKey).toStringList(), stored.toStringList());
    }
}

TEST_F(Rows, NameOrderingShowsThePersonsSystemDefaultAndNameDisplayACompany)
{
    const ContactRecordPtr contact = contactNamed(QStringLiteral("Ann"));
    contact->person->setDefaultNameOrdering(1);
    contact->person->nameValue()->showAsPerson = false;
    const QList<InfoRowRecord> rows = rowsOf(contact);
    const int row = m_model.firstRowOfType(FieldId::NameOrdering);
    EXPECT_EQ(rows.at(row).label, QStringLiteral("System Default (First Name First)"));
    EXPECT_EQ(m_model.valueText(row), QStringLiteral("System Default (First Name First)"));
    EXPECT_EQ(rows.at(m_model.firstRowOfType(QStringLiteral("Name Display"))).label, QStringLiteral("Company"));
}

TEST_F(Rows, ReturnAndTabStopAfterOneRoundWithoutAnEditableRow)
{
    rowsOf(contactNamed(QStringLiteral("Ann")));
    m_model.setRowOrderTable({QStringLiteral("Photo"), QStringLiteral("Groups"), QStringLiteral("Address")});
    m_model.reload();
    EXPECT_EQ(m_model.nextEditableRow(0), -1);
}

// --- Heights ---------------------------------------------------------------------

TEST(RowHeight, FollowsTheLinesOfTheRow)
{
    const struct {
        bool popover;
        int iconRowCount; // stored; 0 for none
        QString note;
        ContactIdentifier type;
        int lines;
    } rows[] = {
        {false, 0, "one\ntwo\nthree", FieldId::Note, 3},
        {false, 0, {}, FieldId::Photo, 3},
        {true, 5, {}, FieldId::Photo, 5},
        {true, 25, {}, FieldId::Photo, 3}, // icon count out of range
        {true, -1, {}, FieldId::Photo, 3},
    };
    for (const auto &row : rows) {
        const auto defaults = freshDefaults();
        if (row.iconRowCount)
            defaults->setObject(row.iconRowCount, ContactInfoPopover::iconRowCountKey);
        std::unique_ptr<ContactInfoView> view;
        if (row.popover) {
            view = std::make_unique<ContactInfoPopover>(defaults.get());
        } else {
            view = std::make_unique<ContactInfoController>();
            view->setUserDefaults(defaults.get());
        }
        const ContactRecordPtr contact = contactNamed(QStringLiteral("Ann"));
        contact->person->setValue(row.note, FieldId::Note);
        view->setContact(contact);
        const double line = view->rowHeight();
        EXPECT_EQ(
            view->rowHeight(view->infoModel()->firstRowOfType(row.type)), row.lines < 2 ? line : row.lines * line + 2)
            << row.iconRowCount;
        // The pane's rows at its loaded height, whatever the font.
        EXPECT_EQ(line, row.popover ? line : 24);
    }
}

// Point size and line height of the font to the row height.
TEST(RowHeight, FollowsTheFontAndThePopoversStoredFont)
{
    EXPECT_EQ(ContactInfoController::rowHeightFor(12, 15), 24); // raised to the floor
    EXPECT_EQ(ContactInfoController::rowHeightFor(18, 22), 30);
    EXPECT_EQ(ContactInfoPopover::rowHeightFor(12, 15), 25);
    EXPECT_EQ(ContactInfoPopover::rowHeightFor(18, 20), 36);
    // The popover's stored font size counts as absent unless it is a number, and is at least 7.
    const auto defaults = freshDefaults();
    defaults->setObject(QApplication::font().family(), ContactInfoPopover::defaultFontNameKey);
    defaults->setObject(QStringLiteral("big"), ContactInfoPopover::defaultFontSizeKey);
    EXPECT_EQ(ContactInfoPopover::storedFont(*defaults).pointSizeF(), 12);
    defaults->setObject(3, ContactInfoPopover::defaultFontSizeKey);
    EXPECT_EQ(ContactInfoPopover::storedFont(*defaults).pointSizeF(), 7);
}

} // namespace
