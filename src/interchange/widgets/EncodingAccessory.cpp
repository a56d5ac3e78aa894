#include "interchange/widgets/EncodingAccessory.h"

#include "interchange/TextEncodingTable.h"
#include "interchange/widgets/EncodingListModel_p.h"
#include "platform/UserDefaults.h"
#include "platform/widgets/DialogAnswer.h"
#include "platform/widgets/OpeningFocus.h"

#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// Pop-up items are told apart by their data, never by their titles, which
// are translated.
constexpr int encodingRole = Qt::UserRole;
constexpr int kindRole = Qt::UserRole + 1;

} // namespace

EncodingAccessory::EncodingAccessory(QWidget *parent, UserDefaults *defaults)
    : QWidget(parent)
    , m_defaults(defaults ? *defaults : UserDefaults::standardUserDefaults())
    , m_encodingTable(TextEncodingTable::initEncodings())
{
    buildAccessory();
    buildEncodingListPanel();
    loadShortList();
    setupEncodingPopup();
    m_tableModel->reload();
}

// Once opened, the panel belongs to the window, which outlives the accessory,
// while its model reads the accessory's encoding table.
EncodingAccessory::~EncodingAccessory()
{
    delete m_encodingListPanel;
}

void EncodingAccessory::buildAccessory()
{
    m_encodingTypePopupTitle = new QLabel(tr("Encoding:"), this);
    m_encodingTypePopup = new QComboBox(this);
    m_encodingTypePopup->setObjectName(QStringLiteral("encodingTypePopup"));
    m_lineBreakTypePopupTitle = new QLabel(tr("Line Breaks:"), this);
    m_lineBreakTypePopup = new QComboBox(this);
    m_lineBreakTypePopup->setObjectName(QStringLiteral("lineBreakTypePopup"));
    m_lineBreakTypePopup->addItem(tr("Unix (LF)"), 0);
    m_lineBreakTypePopup->addItem(tr("Mac (CR)"), 1);
    m_lineBreakTypePopup->addItem(tr("Windows (CR/LF)"), 2);
    auto *layout = new QFormLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    layout->addRow(m_encodingTypePopupTitle, m_encodingTypePopup);
    layout->addRow(m_lineBreakTypePopupTitle, m_lineBreakTypePopup);
    connect(m_encodingTypePopup, &QComboBox::activated, this, &EncodingAccessory::encodingTypePopupSelected);
}

void EncodingAccessory::buildEncodingListPanel()
{
    m_encodingListPanel = new QDialog(this, Qt::Dialog);
    m_encodingListPanel->setObjectName(QStringLiteral("encodingListPanel"));
    m_encodingListPanel->setWindowTitle(tr("Customize Encoding List"));
    m_tableModel = new EncodingListModel(
        m_encodingTable, [this](int row, bool checked) { setEncodingChecked(row, checked); }, m_encodingListPanel);
    m_tableView = new QTableView(m_encodingListPanel);
    m_tableView->setModel(m_tableModel);
    m_tableView->verticalHeader()->hide();
    m_tableView->setSelectionMode(QAbstractItemView::NoSelection);
    m_tableView->horizontalHeader()->setSectionResizeMode(
        EncodingListModel::CheckBoxColumn, QHeaderView::ResizeToContents);
    m_tableView->horizontalHeader()->setStretchLastSection(true);
    m_selectAllButton = new QPushButton(tr("Select All"), m_encodingListPanel);
    m_clearAllButton = new QPushButton(tr("Clear All"), m_encodingListPanel);
    m_revertButton = new QPushButton(tr("Revert"), m_encodingListPanel);
    // The panel has no answer for Return: left auto-default, the first of
    // these would become its default button, and a Return on the list would
    // tick every encoding.
    for (QPushButton *button : {m_selectAllButton, m_clearAllButton, m_revertButton})
        button->setAutoDefault(false);
    connect(m_selectAllButton, &QPushButton::clicked, this, [this] { buttonsPressed(CustomizeButton::SelectAll); });
    connect(m_clearAllButton, &QPushButton::clicked, this, [this] { buttonsPressed(CustomizeButton::ClearAll); });
    connect(m_revertButton, &QPushButton::clicked, this, [this] { buttonsPressed(CustomizeButton::Revert); });
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_selectAllButton);
    buttons->addWidget(m_clearAllButton);
    buttons->addStretch();
    buttons->addWidget(m_revertButton);
    auto *layout = new QVBoxLayout(m_encodingListPanel);
    layout->addWidget(m_tableView);
    layout->addLayout(buttons);
    m_encodingListPanel->resize(420, 480);
    DialogAnswer::answerAfterDone(m_encodingListPanel, this, [this](int) { saveEncodings(); });
    OpeningFocus::giveTo(m_encodingListPanel, m_tableView);
}

void EncodingAccessory::attachTo(QFileDialog *dialog)
{
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    auto *grid = qobject_cast<QGridLayout *>(dialog->layout());
    if (!grid) {
        qWarning("%s: ERROR the file dialog has no grid to put the accessory in", Q_FUNC_INFO);
        return;
    }
    grid->addWidget(this, grid->rowCount(), 0, 1, grid->columnCount());
}

// --- The short list ---------------------------------------------------------

void EncodingAccessory::loadShortList()
{
    TextEncodingTable::applyStoredEncodings(
        m_encodingTable, m_defaults.stringArrayForKey(encodingsKey), QLocale().uiLanguages());
}

void EncodingAccessory::saveEncodings()
{
    m_defaults.setObject(TextEncodingTable::checkedNames(m_encodingTable), encodingsKey);
}

void EncodingAccessory::setupEncodingPopup()
{
    m_encodingTypePopup->clear();
    for (const EncodingRow &row : std::as_const(m_encodingTable)) {
        if (row.checkBox)
            m_encodingTypePopup->addItem(row.encodingName, QVariant::fromValue(row.nsEncoding));
        if (row.nsEncoding == TextEncodingTable::UTF8)
            m_utf8LocalizedName = row.encodingName;
    }
    if (m_accessoryType == AccessoryType::Open)
        insertAutomaticItem();
    m_encodingTypePopup->insertSeparator(m_encodingTypePopup->count());
    m_encodingTypePopup->addItem(tr("Customize Encoding List…"));
    m_encodingTypePopup->setItemData(m_encodingTypePopup->count() - 1, int(ItemKind::Customize), kindRole);
    resetMenu();
}

void EncodingAccessory::insertAutomaticItem()
{
    for (int index = m_encodingTypePopup->count() - 1; index >= 0; --index) {
        if (itemKind(index) == ItemKind::Automatic)
            m_encodingTypePopup->removeItem(index);
    }
    m_encodingTypePopup->insertItem(0, tr("Automatic"));
    m_encodingTypePopup->setItemData(0, int(ItemKind::Automatic), kindRole);
}

void EncodingAccessory::setEncodingChecked(int row, bool checked)
{
    if (row < 0 || row >= m_encodingTable.size())
        return;
    EncodingRow &changed = m_encodingTable[row];
    changed.checkBox = checked;
    if (!checked) {
        if (const int index = indexOfEncoding(changed.nsEncoding); index >= 0)
            m_encodingTypePopup->removeItem(index);
        m_encodingTypePopup->setCurrentIndex(0);
        return;
    }
    const int at = m_accessoryType == AccessoryType::Open ? 1 : 0;
    m_encodingTypePopup->insertItem(at, changed.encodingName, QVariant::fromValue(changed.nsEncoding));
    m_encodingTypePopup->setCurrentIndex(at);
}

void EncodingAccessory::buttonsPressed(CustomizeButton button)
{
    for (EncodingRow &row : m_encodingTable)
        row.checkBox = button == CustomizeButton::SelectAll;
    if (button == CustomizeButton::Revert)
        TextEncodingTable::defaultEncodings(m_encodingTable, QLocale().uiLanguages());
    setupEncodingPopup();
    m_tableModel->reload();
}

void EncodingAccessory::requestClose()
{
    m_encodingListPanel->close();
}

// --- The pop-up ---------------------------------------------------------------

void EncodingAccessory::encodingTypePopupSelected(int index)
{
    if (itemKind(index) == ItemKind::Customize)
        openEncodingListPanel();
}

// The panel belongs to the accessory's window, so that it takes input while
// that window, an open panel, runs modally.
void EncodingAccessory::openEncodingListPanel()
{
    if (m_encodingListPanel->parentWidget() != window())
        m_encodingListPanel->setParent(window(), Qt::Dialog);
    m_encodingListPanel->show();
    m_encodingListPanel->raise();
    m_encodingListPanel->activateWindow();
}

void EncodingAccessory::setEncodingOnly()
{
    m_accessoryType = AccessoryType::Open;
    m_lineBreakTypePopupTitle->hide();
    m_lineBreakTypePopup->hide();
    insertAutomaticItem();
    m_encodingTypePopup->setCurrentIndex(0);
}

quint32 EncodingAccessory::encodingType()
{
    const int index = m_encodingTypePopup->currentIndex();
    if (index >= 0 && itemKind(index) == ItemKind::Automatic)
        return TextEncodingTable::Automatic;
    if (index >= 0)
        m_encoding = itemEncoding(index);
    else if (m_accessoryType == AccessoryType::Save)
        m_encoding = 0;
    return m_encoding;
}

void EncodingAccessory::resetMenu()
{
    if (m_accessoryType == AccessoryType::Open) {
        m_encodingTypePopup->setCurrentIndex(0);
        return;
    }
    const int utf8 = m_encodingTypePopup->findText(m_utf8LocalizedName);
    m_encodingTypePopup->setCurrentIndex(utf8 >= 0 ? utf8 : 0);
}

EncodingAccessory::ItemKind EncodingAccessory::itemKind(int index) const
{
    const QVariant kind = m_encodingTypePopup->itemData(index, kindRole);
    return kind.isValid() ? ItemKind(kind.toInt()) : ItemKind::Encoding;
}

quint32 EncodingAccessory::itemEncoding(int index) const
{
    return m_encodingTypePopup->itemData(index, encodingRole).toUInt();
}

int EncodingAccessory::indexOfEncoding(quint32 encoding) const
{
    for (int index = 0; index < m_encodingTypePopup->count(); ++index) {
        if (itemKind(index) == ItemKind::Encoding && m_encodingTypePopup->itemData(index, encodingRole).isValid()
            && itemEncoding(index) == encoding)
            return index;
    }
    return -1;
}
