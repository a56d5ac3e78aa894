#include "TableEditingFixture.h"

#include "common/Screenshot.h"

#include <QHeaderView>
#include <QImage>

using namespace Qt::Literals::StringLiterals;

namespace {

// A column exactly as wide as "Acme 105": a longer company must not look the
// same, or two firms cut to one name read as one.
struct CutOffRow {
    const char *name;
    QString company;
};

class CutOffCompany : public TableEditingTest, public testing::WithParamInterface<CutOffRow> {
protected:
    // The company cell of the contact's row showing the text, unselected.
    QImage companyCell(const MVPersonPtr &person, const QString &text, int width)
    {
        person->setStringValue(text, FieldId::Company);
        table().updateTable();
        endTurn();
        view()->clearSelection();
        view()->setColumnWidth(column(FieldId::Company), width);
        endTurn();
        for (int index = 0; index < rowCount(); ++index) {
            if (row(index)->person == person)
                m_row = index;
        }
        return cellImage();
    }
    [[nodiscard]] QImage cellImage() const
    {
        const QRect cell = view()->visualRect(view()->model()->index(m_row, column(FieldId::Company)));
        return m_row < 0 ? QImage() : view()->viewport()->grab(cell).toImage();
    }

    // Nothing drawn right of x but the row's background.
    [[nodiscard]] static bool blankFrom(const QImage &image, int x)
    {
        const int edge = image.width() - 3;
        for (int y = 0; y < image.height(); ++y) {
            for (int each = x; each < edge; ++each) {
                if (image.pixel(each, y) != image.pixel(edge, y))
                    return false;
            }
        }
        return true;
    }

    int m_row = -1;
};

TEST_P(CutOffCompany, EndsInAnEllipsisAndNotInTheTextThatFits)
{
    const QString fits = u"Acme 105"_s;
    const MVPersonPtr person = row(firstRows().first())->person;
    // The narrowest column that shows "Acme 105" as it shows in a wide one.
    companyCell(person, fits, 400);
    int width = 20;
    for (; width < 400; ++width) {
        view()->setColumnWidth(column(FieldId::Company), width);
        const QImage narrow = cellImage();
        view()->setColumnWidth(column(FieldId::Company), width + 60);
        const QImage wide = cellImage();
        if (wide.copy(0, 0, width - 2, wide.height()) == narrow.copy(0, 0, width - 2, wide.height())
            && blankFrom(wide, width - 2))
            break;
    }
    ASSERT_LT(width, 400);
    const QImage fitting = companyCell(person, fits, width);
    const int fittingRow = m_row;
    const QImage cut = companyCell(person, GetParam().company, width);
    Screenshot::grab(view(), QString::fromLatin1(GetParam().name));
    ASSERT_FALSE(fitting.isNull());
    ASSERT_EQ(m_row, fittingRow) << "the row moved: its background would differ anyway";
    EXPECT_NE(cut, fitting);
}

INSTANTIATE_TEST_SUITE_P(Rows, CutOffCompany,
    testing::Values(
        CutOffRow{"SpaceAfterTheCut", u"Acme 105 Inc."_s}, CutOffRow{"DigitAfterTheCut", u"Acme 1055 Inc."_s}),
    [](const testing::TestParamInfo<CutOffRow> &info) { return std::string(info.param.name); });

} // namespace
