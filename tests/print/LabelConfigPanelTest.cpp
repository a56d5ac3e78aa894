#include "print/LabelConfigPanelController.h"
#include "print/LabelPresetTableModel.h"
#include "print/PrintOptionValue.h"

#include "common/Screenshot.h"
#include "platform/NotificationCenter.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// The notifications the panel posts, as "name" or "(none)" for no object,
// with the row they carry.
class PostedNames {
public:
    PostedNames()
    {
        m_token = NotificationCenter::defaultCenter().addObserver(LabelPresetTableModel::labelAttributeChanged,
            QVariant(),
            [this](const auto &note) { m_posted << (note.object.isValid() ? note.object.toString() : u"(none)"_s); });
    }
    ~PostedNames() { NotificationCenter::defaultCenter().removeObserver(m_token); }
    PostedNames(const PostedNames &) = delete;
    PostedNames &operator=(const PostedNames &) = delete;
    [[nodiscard]] const QStringList &posted() const { return m_posted; }

private:
    NotificationCenter::ObserverToken m_token = 0;
    QStringList m_posted;
};

LabelPresetListPtr presetsOf130x60()
{
    return std::make_shared<LabelPresetList>(LabelPresetList{QVariantMap{{u"name"_s, u"A"_s},
        {u"labelWidth"_s, u"130"_s}, {u"labelHeight"_s, u"60"_s}, {u"hGap"_s, u"5"_s}, {u"vGap"_s, u"5"_s}}});
}

// Types into a cell through its editor, as a user does.
void typeIntoCell(QTableView *table, int row, int column, const QString &text)
{
    const QModelIndex index = table->model()->index(row, column);
    table->setCurrentIndex(index);
    table->edit(index);
    auto *editor = table->viewport()->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits and closes in a queued call, and the closed editor
    // is deleted later; the next edit needs both done.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

double storedWidth(const LabelPresetList &presets, int row)
{
    return PrintOptionValue::number(presets.at(row).toMap().value(u"labelWidth"_s));
}

TEST(LabelPresetConversion, ShowsAndStoresInEachUnit)
{
    struct Row {
        const char *unit;
        double stored;
        float shown;
        double typed;
        float storedAfterTyping;
    };
    for (const Row &row : {Row{"mm", 130, 45.86111f, 50, 141.73228f}, Row{"inches", 130, 1.8055556f, 2, 144.0f},
             Row{"points", 130, 130.0f, 12.5, 12.5f}, Row{"cm", 130, 130.0f, 7, 7.0f}}) {
        const LabelLengthUnit unit = LabelPresetTableModel::unitForTitle(QString::fromLatin1(row.unit));
        EXPECT_FLOAT_EQ(LabelPresetTableModel::shownLength(row.stored, unit), row.shown) << row.unit;
        EXPECT_FLOAT_EQ(LabelPresetTableModel::storedLength(row.typed, unit), row.storedAfterTyping) << row.unit;
    }
}

TEST(LabelConfigPanel, UnitPopupChangesOnlyWhatTheTableShows)
{
    LabelConfigPanelController panel;
    const LabelPresetListPtr presets = presetsOf130x60();
    panel.setLabelAttributes(presets);
    panel.show();
    for (const auto &[unit, shown] :
        {std::pair{u"mm"_s, 45.86111f}, {u"inches"_s, 1.8055556f}, {u"points"_s, 130.0f}}) {
        panel.unitPopup()->setCurrentIndex(panel.unitPopup()->findData(unit));
        EXPECT_FLOAT_EQ(panel.model()->index(0, 1).data().toFloat(), shown) << unit.toStdString();
        EXPECT_EQ(presets->at(0).toMap().value(u"labelWidth"_s), u"130"_s);
    }
}

TEST(LabelConfigPanel, TypedLengthsAreStoredInPointsAndAnnounced)
{
    LabelConfigPanelController panel;
    const LabelPresetListPtr presets = presetsOf130x60();
    panel.setLabelAttributes(presets);
    panel.show();
    PostedNames names;
    panel.unitPopup()->setCurrentIndex(panel.unitPopup()->findData(u"mm"_s));
    typeIntoCell(panel.tableView(), 0, 1, u"50"_s);
    EXPECT_FLOAT_EQ(float(storedWidth(*presets, 0)), 141.73228f);
    panel.unitPopup()->setCurrentIndex(panel.unitPopup()->findData(u"inches"_s));
    typeIntoCell(panel.tableView(), 0, 1, u"2"_s);
    EXPECT_FLOAT_EQ(float(storedWidth(*presets, 0)), 144.0f);
    typeIntoCell(panel.tableView(), 0, 0, u"Avery"_s);
    EXPECT_EQ(names.posted(), QStringList({u"A"_s, u"A"_s, u"Avery"_s}));
}

TEST(LabelConfigPanel, RefusesLengthsThatAreNoNumberOrOutOfRange)
{
    LabelConfigPanelController panel;
    const LabelPresetListPtr presets = presetsOf130x60();
    panel.setLabelAttributes(presets);
    panel.show();
    PostedNames names;
    // Column, text; widths and heights must be above 0, gaps 0 or more.
    for (const auto &[column, text] : {std::pair{1, u"abc"_s}, {1, u"-5"_s}, {1, u"0"_s}, {2, u"12abc"_s},
             {3, u"-0.5"_s}, {4, u""_s}, {1, u"1e400"_s}}) {
        typeIntoCell(panel.tableView(), 0, column, text);
        EXPECT_EQ(presets->at(0), presetsOf130x60()->at(0)) << column << " " << text.toStdString();
    }
    EXPECT_TRUE(names.posted().isEmpty()) << names.posted().join(u",").toStdString();
    typeIntoCell(panel.tableView(), 0, 3, u"0"_s);
    EXPECT_EQ(PrintOptionValue::number(presets->at(0).toMap().value(u"hGap"_s)), 0.0);
}

TEST(LabelConfigPanel, PlusAddsNewPresetsAndMinusRemovesTheSelectedOne)
{
    LabelConfigPanelController panel;
    const LabelPresetListPtr presets = presetsOf130x60();
    panel.setLabelAttributes(presets);
    panel.show();
    PostedNames names;

    QTest::mouseClick(panel.plusButton(), Qt::LeftButton);
    QTest::mouseClick(panel.plusButton(), Qt::LeftButton);
    ASSERT_EQ(presets->size(), 3);
    for (int row : {1, 2}) {
        EXPECT_EQ(presets->at(row).toMap(), LabelPresetTableModel::newPreset());
    }
    EXPECT_EQ(panel.selectedRow(), 2);
    EXPECT_EQ(panel.selectedPreset(), u"new"_s);
    Screenshot::grab(&panel);

    panel.tableView()->clearSelection();
    QTest::mouseClick(panel.minusButton(), Qt::LeftButton);
    EXPECT_EQ(presets->size(), 3);

    const QRect firstRow = panel.tableView()->visualRect(panel.model()->index(0, 0));
    QTest::mouseClick(panel.tableView()->viewport(), Qt::LeftButton, {}, firstRow.center());
    ASSERT_EQ(panel.selectedRow(), 0);
    QTest::mouseClick(panel.minusButton(), Qt::LeftButton);
    ASSERT_EQ(presets->size(), 2);
    EXPECT_EQ(panel.model()->presetName(0), u"new"_s);
    // The removal is announced without a name, so no holder keeps showing it.
    EXPECT_EQ(names.posted(), QStringList({u"new"_s, u"new"_s, u"(none)"_s}));

    QTest::mouseClick(panel.doneButton(), Qt::LeftButton);
    EXPECT_EQ(panel.result(), 1);
}

TEST(LabelConfigPanel, PresetWithoutNameOrListShowsEmpty)
{
    LabelConfigPanelController panel;
    EXPECT_EQ(panel.model()->rowCount(), 0);
    QTest::mouseClick(panel.plusButton(), Qt::LeftButton);
    EXPECT_EQ(panel.model()->rowCount(), 0);
    panel.setLabelAttributes(std::make_shared<LabelPresetList>(LabelPresetList{QVariantMap{}, u"junk"_s}));
    EXPECT_EQ(panel.model()->index(0, 0).data().toString(), QString());
    EXPECT_EQ(panel.model()->index(1, 2).data().toFloat(), 0.0f);
}

} // namespace
