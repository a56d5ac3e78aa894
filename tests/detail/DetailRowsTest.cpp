#include "DetailTestSupport.h"

#include "detail/DetailRowOrder.h"

using namespace DetailTest;
using namespace Qt::Literals::StringLiterals;

namespace {

// The rows of a contact under the given stored order (none: the built-in one).
class Rows : public testing::Test {
protected:
    void SetUp() override { FieldVocabulary::shared().removeAllCustomLabels(); }

    QList<InfoRowRecord> rowsOf(const ContactRecordPtr &contact, const QVariant &storedOrder = {})
    {
        if (storedOrder.isValid())
            m_defaults->setObject(storedOrder, DetailRowOrder::lastRowOrderKey);
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

struct OrderRow {
    const char *name;
    QVariant stored;
    QStringList shown;
};

void PrintTo(const OrderRow &row, std::ostream *out)
{
    *out << row.name;
}

class StoredOrder : public Rows, public testing::WithParamInterface<OrderRow> { };

TEST_P(StoredOrder, IsShownWithJointNamesAddedAndIsNotRewritten)
{
    EXPECT_EQ(typesOf(rowsOf(contactNamed(QStringLiteral("Ann")), GetParam().stored)), GetParam().shown);
    EXPECT_EQ(
        m_defaults->objectForKey(DetailRowOrder::lastRowOrderKey).toStringList(), GetParam().stored.toStringList());
}

INSTANTIATE_TEST_SUITE_P(Orders, StoredOrder,
    testing::Values(OrderRow{"WithoutJointNames", QStringList{"Name", "Photo", "Company", "Note"},
                        {"Name", "Photo", "Renmei", "Company", "Note"}},
        OrderRow{"WithoutNote", QStringList{"Name", "Renmei", "Company"}, {"Name", "Renmei", "Company"}},
        OrderRow{"NameAlone", QStringList{"Name"}, {"Name", "Renmei"}},
        OrderRow{"NotAList", QStringLiteral("Name"), DetailRowOrder::defaultOrder()},
        OrderRow{"EntriesNotText", QVariantList{1, "Name", true, "Note"}, {"Name", "Note", "Renmei"}}));

TEST_F(Rows, NameOrderingShowsTheSystemDefaultOfThePerson)
{
    const ContactRecordPtr contact = contactNamed(QStringLiteral("Ann"));
    contact->person->setDefaultNameOrdering(1);
    const QList<InfoRowRecord> rows = rowsOf(contact);
    const int row = m_model.firstRowOfType(FieldId::NameOrdering);
    EXPECT_EQ(rows.at(row).label, QStringLiteral("System Default (First Name First)"));
    EXPECT_EQ(m_model.valueText(row), QStringLiteral("System Default (First Name First)"));
}

TEST_F(Rows, ACompanyShowsCompanyInNameDisplay)
{
    const ContactRecordPtr contact = contactNamed(QStringLiteral("Ann"));
    contact->person->nameValue()->showAsPerson = false;
    const QList<InfoRowRecord> rows = rowsOf(contact);
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

struct HeightRow {
    const char *name;
    bool popover;
    int iconRowCount; // stored; 0 for none
    QString note;
    ContactIdentifier type;
    int lines;
};

void PrintTo(const HeightRow &row, std::ostream *out)
{
    *out << row.name;
}

class RowHeight : public testing::TestWithParam<HeightRow> { };

TEST_P(RowHeight, FollowsTheLinesOfTheRow)
{
    const HeightRow &param = GetParam();
    const auto defaults = freshDefaults();
    if (param.iconRowCount)
        defaults->setObject(param.iconRowCount, ContactInfoPopover::iconRowCountKey);
    std::unique_ptr<ContactInfoView> view;
    if (param.popover) {
        view = std::make_unique<ContactInfoPopover>(defaults.get());
    } else {
        view = std::make_unique<ContactInfoController>();
        view->setUserDefaults(defaults.get());
    }
    const ContactRecordPtr contact = contactNamed(QStringLiteral("Ann"));
    contact->person->setValue(param.note, FieldId::Note);
    view->setContact(contact);
    const int row = view->infoModel()->firstRowOfType(param.type);
    const double line = view->rowHeight();
    EXPECT_EQ(view->rowHeight(row), param.lines < 2 ? line : param.lines * line + 2);
    // The pane's rows at its loaded height, whatever the font.
    if (!param.popover)
        EXPECT_EQ(line, 24);
}

INSTANTIATE_TEST_SUITE_P(Rows, RowHeight,
    testing::Values(HeightRow{"ThreeLineNote", false, 0, "one\ntwo\nthree", FieldId::Note, 3},
        HeightRow{"PhotoInThePane", false, 0, {}, FieldId::Photo, 3},
        HeightRow{"PhotoOfFiveLinesInThePopover", true, 5, {}, FieldId::Photo, 5},
        HeightRow{"IconCountOutOfRange", true, 25, {}, FieldId::Photo, 3},
        HeightRow{"IconCountNegative", true, -1, {}, FieldId::Photo, 3}));

struct FontRow {
    const char *name;
    bool popover;
    double pointSize;
    double lineHeight;
    double rowHeight;
};

void PrintTo(const FontRow &row, std::ostream *out)
{
    *out << row.name;
}

class FontRowHeight : public testing::TestWithParam<FontRow> { };

TEST_P(FontRowHeight, IsTheViewsRule)
{
    const FontRow &row = GetParam();
    EXPECT_EQ(row.popover ? ContactInfoPopover::rowHeightFor(row.pointSize, row.lineHeight)
                          : ContactInfoController::rowHeightFor(row.pointSize, row.lineHeight),
        row.rowHeight);
}

INSTANTIATE_TEST_SUITE_P(Fonts, FontRowHeight,
    testing::Values(FontRow{"PaneSmallFontRaisedToTheFloor", false, 12, 15, 24},
        FontRow{"PaneLargeFontBySize", false, 18, 22, 30}, FontRow{"PopoverLineHeightTaller", true, 12, 15, 25},
        FontRow{"PopoverLargeFontBySize", true, 18, 20, 36}));

TEST(PopoverSettings, AFontSizeThatIsNoNumberCountsAsAbsent)
{
    const auto defaults = freshDefaults();
    defaults->setObject(QApplication::font().family(), ContactInfoPopover::defaultFontNameKey);
    defaults->setObject(QStringLiteral("big"), ContactInfoPopover::defaultFontSizeKey);
    EXPECT_EQ(ContactInfoPopover::storedFont(*defaults).pointSizeF(), 12);
    defaults->setObject(3, ContactInfoPopover::defaultFontSizeKey);
    EXPECT_EQ(ContactInfoPopover::storedFont(*defaults).pointSizeF(), 7);
}

} // namespace
