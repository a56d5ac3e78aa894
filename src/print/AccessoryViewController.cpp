#include "print/AccessoryViewController.h"

#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"
#include "print/AccessoryOptions.h"
#include "print/FrameFontPanel.h"
#include "print/LabelChecklist.h"
#include "print/LabelsTab.h"
#include "print/LengthField.h"
#include "print/OptionSheetController.h"
#include "print/PrintOptionValue.h"
#include "print/PrintOptionsRecord.h"
#include "print/VerticalFontList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

using namespace PrintOptionsKey;

namespace {

// The tabs that remain of the four styles, in tab order.
const QStringList &tabStyles()
{
    static const QStringList styles{AddressList, MailingLabels};
    return styles;
}

const QString &marginKey(int edge)
{
    static const QString keys[4] = {TopMargin, LeftMargin, RightMargin, BottomMargin};
    return keys[edge];
}

// Width, height, horizontal gap, vertical gap.
const QString &labelSizeKey(int which)
{
    static const QString keys[4] = {LabelWidth, LabelHeight, HGap, VGap};
    return keys[which];
}

const QString printCompany = QStringLiteral("printCompany");
const QString printSuffix = QStringLiteral("printSuffix");
const QString printVertical = QStringLiteral("printVertical");

// The sizes the font of horizontal text takes.
constexpr int smallestFontSize = 1;
constexpr int largestFontSize = 512;

} // namespace

AccessoryViewController::AccessoryViewController(UserDefaults &defaults, PrintInfoPtr printInfo, QWidget *parent)
    : QWidget(parent)
    , m_defaults(defaults)
    , m_printInfo(std::move(printInfo))
    , m_printOptions(AccessoryOptions::loadPrintOptions(defaults))
    , m_verticalFonts(AccessoryOptions::verticalFontNames(*VerticalFontList::fonts()))
{
    setWindowTitle(tr("Print Style"));
    m_styleTab = new QTabWidget(this);
    m_styleTab->addTab(buildAddressListTab(), tr("Address List"));
    m_styleTab->addTab(buildLabelTab(), tr("Mailing Labels"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildFrame());
    layout->addWidget(m_styleTab, 1);

    m_filling = true;
    initAListTab();
    const int stored = tabStyles().indexOf(PrintOptionValue::text(m_printOptions.value(PrintStyle)));
    m_styleTab->setCurrentIndex(std::max(stored, 0));
    m_filling = false;
    // Filled as a tab switch would, but nothing is stored until the user acts.
    const QString style = tabStyles().at(m_styleTab->currentIndex());
    m_currentStyle = style;
    if (style == MailingLabels)
        initMLabelTab();
    fillFrame(subRecord(AccessoryOptions::subRecordName(style)));
    connectControls();
    NotificationCenter::defaultCenter().addObserver(this, LabelPresetTableModel::labelAttributeChanged, QVariant(),
        [this](const NotificationCenter::Notification &note) { handleNameChange(note.object); });
}

QWidget *AccessoryViewController::buildFrame()
{
    auto *frame = new QWidget(this);
    auto *form = new QFormLayout(frame);
    m_unitTypePopup = new QComboBox(frame);
    m_unitTypePopup->addItem(tr("points"), QStringLiteral("points"));
    m_unitTypePopup->addItem(tr("mm"), QStringLiteral("mm"));
    m_unitTypePopup->addItem(tr("inches"), QStringLiteral("inches"));
    form->addRow(tr("Unit:"), m_unitTypePopup);
    // Two by two, so that a length in inches shows all its places.
    auto *margins = new QGridLayout;
    const char *const titles[4] = {QT_TR_NOOP("Top"), QT_TR_NOOP("Left"), QT_TR_NOOP("Right"), QT_TR_NOOP("Bottom")};
    for (int edge = 0; edge < 4; ++edge) {
        margins->addWidget(new QLabel(tr(titles[edge]), frame), edge / 2, 2 * (edge % 2));
        m_margins[edge] = new LengthField(0, OptionSheetController::largestMargin, frame);
        margins->addWidget(m_margins[edge], edge / 2, 2 * (edge % 2) + 1);
    }
    form->addRow(tr("Margins:"), margins);
    auto *font = new QHBoxLayout;
    font->addWidget(m_fontNameField = new QLineEdit(frame), 1);
    font->addWidget(m_fontSizeField = new QSpinBox(frame));
    m_fontSizeField->setRange(smallestFontSize, largestFontSize);
    m_fontSizeField->setKeyboardTracking(false);
    font->addWidget(m_showFontButton = new QPushButton(tr("Show Fonts"), frame));
    m_showFontButton->setAutoDefault(false);
    form->addRow(tr("Font:"), font);
    return frame;
}

QWidget *AccessoryViewController::buildAddressListTab()
{
    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);
    auto *switches = new QHBoxLayout;
    switches->addWidget(m_aListPrintFrame = new QCheckBox(tr("Print frame"), tab));
    switches->addWidget(m_aListAlternateRow = new QCheckBox(tr("Shade alternate rows"), tab));
    switches->addStretch(1);
    switches->addWidget(new QLabel(tr("Labels:"), tab));
    switches->addWidget(m_labelChecklist = new LabelChecklist(tab));
    layout->addLayout(switches);
    // The accessory shows the items' titles as stored.
    m_itemModel = new AddressListItemTableModel(this, false);
    m_itemTableView = new QTableView(tab);
    m_itemModel->setUpView(m_itemTableView);
    m_itemModel->setItems(m_itemTable);
    layout->addWidget(m_itemTableView, 1);
    return tab;
}

QWidget *AccessoryViewController::buildLabelTab()
{
    auto *tab = new QWidget;
    auto *form = new QFormLayout(tab);
    m_presetPopup = new QComboBox(tab);
    form->addRow(tr("Label size:"), m_presetPopup);
    auto *sizes = new QHBoxLayout;
    const char *const titles[4] = {QT_TR_NOOP("Width"), QT_TR_NOOP("Height"), QT_TR_NOOP("H Gap"), QT_TR_NOOP("V Gap")};
    for (int which = 0; which < 4; ++which) {
        sizes->addWidget(new QLabel(tr(titles[which]), tab));
        const double smallest = which < 2 ? LabelsTab::smallestLabel : 0;
        sizes->addWidget(m_labelSizes[which] = new LengthField(smallest, LabelsTab::largestLength, tab));
    }
    form->addRow(sizes);
    auto *switches = new QHBoxLayout;
    switches->addWidget(m_labelPrintFrame = new QCheckBox(tr("Print frame"), tab));
    switches->addWidget(m_labelPrintCountry = new QCheckBox(tr("Print country"), tab));
    switches->addWidget(m_labelPrintCompany = new QCheckBox(tr("Print company"), tab));
    switches->addWidget(m_labelPrintSuffix = new QCheckBox(tr("Print suffix"), tab));
    form->addRow(switches);
    m_keishouPopup = new QComboBox(tab);
    m_keishouPopup->addItems({tr("None"), QStringLiteral("様"), QStringLiteral("殿"), QStringLiteral("御中")});
    form->addRow(tr("Honorific:"), m_keishouPopup);
    m_repeatCount = new QSpinBox(tab);
    m_repeatCount->setRange(1, 1000);
    form->addRow(tr("Repeat count:"), m_repeatCount);
    form->addRow(m_drawVertical = new QCheckBox(tr("Vertical text"), tab));
    m_fontLabel = new QLabel(tr("Vertical Font:"), tab);
    form->addRow(m_fontLabel, m_labelFontPopup = new QComboBox(tab));
    return tab;
}

void AccessoryViewController::connectControls()
{
    connect(m_styleTab, &QTabWidget::currentChanged, this, &AccessoryViewController::tabChanged);
    connect(m_unitTypePopup, &QComboBox::currentIndexChanged, this, &AccessoryViewController::unitTypeChanged);
    const auto store = [this] {
        if (!m_filling)
            updateUI();
    };
    for (LengthField *field : lengthFields())
        connect(field, &LengthField::lengthEdited, this, store);
    connect(m_showFontButton, &QPushButton::clicked, this, &AccessoryViewController::showFontsButtonPressed);
    connect(m_fontNameField, &QLineEdit::editingFinished, this, store);
    connect(m_fontSizeField, &QSpinBox::valueChanged, this, store);
    connect(m_repeatCount, &QSpinBox::valueChanged, this, store);
    for (QCheckBox *box : {m_aListPrintFrame, m_aListAlternateRow, m_labelPrintFrame, m_labelPrintCountry,
             m_labelPrintCompany, m_labelPrintSuffix, m_drawVertical})
        connect(box, &QCheckBox::toggled, this, store);
    connect(m_keishouPopup, &QComboBox::activated, this, store);
    connect(m_labelFontPopup, &QComboBox::activated, this, store);
    connect(m_presetPopup, &QComboBox::activated, this, &AccessoryViewController::presetChosen);
    connect(m_itemModel, &AddressListItemTableModel::itemStateChanged, this, store);
    connect(m_itemModel, &AddressListItemTableModel::itemsReordered, this, store);
    connect(m_labelChecklist, &LabelChecklist::selectionChanged, this, [this, store](const QStringList &selection) {
        QVariantMap list = subRecord(AccessoryOptions::AddressListOptions);
        list.insert(SelectedLabels, selection);
        m_printOptions.insert(AccessoryOptions::AddressListOptions, list);
        store();
    });
}

QVariantMap AccessoryViewController::subRecord(const QString &name) const
{
    return PrintOptionValue::dictionary(m_printOptions, name);
}

QString AccessoryViewController::printStyle() const
{
    return m_printInfo ? AccessoryOptions::printStyle(*m_printInfo) : QString();
}

QList<QPair<QString, QString>> AccessoryViewController::localizedSummaryItems() const
{
    return AccessoryOptions::localizedSummaryItems(printStyle());
}

void AccessoryViewController::setColumns(const QStringList &columns)
{
    m_columnsInMainView = columns;
    AddressListItemTableModel::markColumns(*m_itemTable, columns);
    m_itemModel->setItems(m_itemTable);
    QVariantMap list = subRecord(AccessoryOptions::AddressListOptions);
    list.insert(ItemTable, *m_itemTable);
    m_printOptions.insert(AccessoryOptions::AddressListOptions, list);
}

void AccessoryViewController::tabChanged(int index)
{
    if (index < 0 || index >= tabStyles().size())
        return;
    const QString style = tabStyles().at(index);
    if (style != m_currentStyle) {
        m_currentStyle = style;
        m_defaults.setObject(style, AccessoryOptions::lastPrintStyleKey);
        m_filling = true;
        if (style == AddressList)
            initAListTab();
        else
            initMLabelTab();
        m_filling = false;
        // The top level first; what it lacks, the shown style's own record.
        QVariantMap frame = subRecord(AccessoryOptions::subRecordName(style));
        for (auto entry = m_printOptions.cbegin(); entry != m_printOptions.cend(); ++entry) {
            if (entry.value().typeId() != QMetaType::QVariantMap)
                frame.insert(entry.key(), entry.value());
        }
        fillFrame(frame);
    }
    updateUI();
}

void AccessoryViewController::fillFrame(const QVariantMap &source)
{
    const bool wasFilling = std::exchange(m_filling, true);
    m_fontNameField->setText(PrintOptionValue::text(source.value(FontName)));
    m_fontSizeField->setValue(int(PrintOptionValue::integer(source.value(FontSize))));
    for (int edge = 0; edge < 4; ++edge)
        m_margins[edge]->setLengthInPoints(float(PrintOptionValue::number(source.value(marginKey(edge)))));
    m_filling = wasFilling;
}

QList<LengthField *> AccessoryViewController::lengthFields() const
{
    QList<LengthField *> fields(std::begin(m_margins), std::end(m_margins));
    fields.append(QList<LengthField *>(std::begin(m_labelSizes), std::end(m_labelSizes)));
    return fields;
}

void AccessoryViewController::showUnitOfPopup()
{
    {
        const QSignalBlocker blocker(m_unitTypePopup);
        const int unit = m_unitTypePopup->findData(PrintOptionValue::text(m_printOptions.value(UnitType)));
        m_unitTypePopup->setCurrentIndex(std::max(unit, 0));
    }
    // Filled lengths are converted into this unit, and stores read them in it.
    m_lastUnitType = m_unitTypePopup->currentData().toString();
    for (LengthField *field : lengthFields())
        field->setUnit(m_lastUnitType);
}

void AccessoryViewController::unitTypeChanged()
{
    const QString unit = m_unitTypePopup->currentData().toString();
    if (m_filling || unit == m_lastUnitType)
        return;
    m_filling = true;
    for (LengthField *field : lengthFields())
        field->setUnit(unit);
    m_lastUnitType = unit;
    m_filling = false;
}

void AccessoryViewController::initAListTab()
{
    const QVariantMap list = subRecord(AccessoryOptions::AddressListOptions);
    *m_itemTable = list.value(ItemTable).toList();
    AddressListItemTableModel::markColumns(*m_itemTable, m_columnsInMainView);
    m_itemModel->setItems(m_itemTable);
    showUnitOfPopup();
    fillFrame(list);
    m_aListPrintFrame->setChecked(PrintOptionValue::flag(list.value(PrintFrame)));
    m_aListAlternateRow->setChecked(PrintOptionValue::flag(list.value(AlternatingRow)));
    m_labelChecklist->fill(LabelChecklist::labelTitles(), list.value(SelectedLabels).toStringList());
}

void AccessoryViewController::initMLabelTab()
{
    QVariantMap labels = subRecord(AccessoryOptions::MailingLabelsOptions);
    *m_presets = labels.value(PresetArray).toList();
    initPresetPopup();
    showUnitOfPopup();
    for (int which = 0; which < 4; ++which)
        m_labelSizes[which]->setLengthInPoints(float(PrintOptionValue::number(labels.value(labelSizeKey(which)))));
    m_repeatCount->setValue(int(PrintOptionValue::integer(labels.value(RepeatCount))));
    m_labelPrintFrame->setChecked(PrintOptionValue::flag(labels.value(PrintFrame)));
    m_labelPrintCompany->setChecked(PrintOptionValue::flag(labels.value(printCompany)));
    m_labelPrintCountry->setChecked(PrintOptionValue::flag(labels.value(PrintCountry)));
    m_labelPrintSuffix->setChecked(PrintOptionValue::flag(labels.value(printSuffix)));
    const int keishou = m_keishouPopup->findText(PrintOptionValue::text(labels.value(Keishou)));
    m_keishouPopup->setCurrentIndex(std::max(keishou, 0));
    m_drawVertical->setChecked(PrintOptionValue::flag(labels.value(printVertical)));

    QStringList fonts = m_verticalFonts;
    if (fonts.isEmpty())
        fonts << QGuiApplication::font().family();
    QString fontName = PrintOptionValue::text(labels.value(VerticalFontName));
    if (fontName.isEmpty()) {
        fontName = fonts.first();
        labels.insert(VerticalFontName, fontName);
        m_printOptions.insert(AccessoryOptions::MailingLabelsOptions, labels);
    }
    // A stored face no entry names stays, shown as an entry of its own.
    if (!fonts.contains(fontName))
        fonts << fontName;
    m_labelFontPopup->clear();
    m_labelFontPopup->addItems(fonts);
    m_labelFontPopup->setCurrentText(fontName);
    m_labelFontPopup->setEnabled(m_drawVertical->isChecked());
}

void AccessoryViewController::initPresetPopup()
{
    LabelsTab::fillPresetPopup(m_presetPopup, *m_presets);
    const QSignalBlocker blocker(m_presetPopup);
    // The panel cannot be opened from here.
    m_presetPopup->addItem(tr("Add/Delete..."));
    if (auto *items = qobject_cast<QStandardItemModel *>(m_presetPopup->model()))
        items->item(m_presetPopup->count() - 1)->setEnabled(false);
    m_presetPopup->setCurrentIndex(0);
}

void AccessoryViewController::presetChosen(int index)
{
    const QVariantMap preset = LabelsTab::presetOfEntry(m_presetPopup, index);
    if (preset.isEmpty())
        return;
    m_filling = true;
    for (int which = 0; which < 4; ++which)
        m_labelSizes[which]->setLengthInPoints(float(PrintOptionValue::number(preset.value(labelSizeKey(which)))));
    m_filling = false;
    updateUI();
}

void AccessoryViewController::handleNameChange(const QVariant &name)
{
    initPresetPopup();
    {
        const QSignalBlocker blocker(m_presetPopup);
        // Without a name (a removal) no preset stays selected.
        m_presetPopup->setCurrentIndex(name.isValid() ? m_presetPopup->findText(name.toString()) : -1);
    }
    QVariantMap labels = subRecord(AccessoryOptions::MailingLabelsOptions);
    labels.insert(PresetArray, *m_presets);
    m_printOptions.insert(AccessoryOptions::MailingLabelsOptions, labels);
    updateUI();
}

void AccessoryViewController::updatePrintOptions()
{
    const QString style = tabStyles().value(m_styleTab->currentIndex());
    m_printOptions.insert(PrintStyle, style);
    m_printOptions.insert(FontSize, m_fontSizeField->value());
    m_printOptions.insert(FontName, m_fontNameField->text());
    for (int edge = 0; edge < 4; ++edge)
        m_printOptions.insert(marginKey(edge), m_margins[edge]->lengthInPoints());
    if (style == AddressList) {
        QVariantMap list = subRecord(AccessoryOptions::AddressListOptions);
        list.insert(PrintFrame, m_aListPrintFrame->isChecked());
        list.insert(AlternatingRow, m_aListAlternateRow->isChecked());
        list.insert(ItemTable, *m_itemTable);
        if (list.value(SelectedLabels).toList().isEmpty())
            list.insert(SelectedLabels, QStringList{QStringLiteral("All")});
        m_printOptions.insert(AccessoryOptions::AddressListOptions, list);
    } else if (style == MailingLabels) {
        QVariantMap labels = subRecord(AccessoryOptions::MailingLabelsOptions);
        for (int which = 0; which < 4; ++which)
            labels.insert(labelSizeKey(which), m_labelSizes[which]->lengthInPoints());
        labels.insert(PrintFrame, m_labelPrintFrame->isChecked());
        labels.insert(PrintCountry, m_labelPrintCountry->isChecked());
        labels.insert(printCompany, m_labelPrintCompany->isChecked());
        labels.insert(printSuffix, m_labelPrintSuffix->isChecked());
        labels.insert(RepeatCount, m_repeatCount->value());
        const QString keishou = m_keishouPopup->currentText();
        labels.insert(Keishou, keishou == tr("None") ? QString() : keishou);
        labels.insert(printVertical, m_drawVertical->isChecked());
        m_labelFontPopup->setEnabled(m_drawVertical->isChecked());
        if (m_drawVertical->isChecked())
            labels.insert(VerticalFontName, m_labelFontPopup->currentText());
        m_printOptions.insert(AccessoryOptions::MailingLabelsOptions, labels);
    }
}

void AccessoryViewController::showFontsButtonPressed()
{
    FrameFontPanel::open(
        m_fontPanel, this, m_fontNameField, m_fontSizeField, [this](const QFont &font) { changeFont(font); });
}

void AccessoryViewController::changeFont(const QFont &font)
{
    const bool wasFilling = std::exchange(m_filling, true);
    FrameFontPanel::showFont(font, m_fontNameField, m_fontSizeField);
    m_filling = wasFilling;
    updateUI();
}

void AccessoryViewController::updateUI()
{
    updatePrintOptions();
    if (m_printInfo)
        AccessoryOptions::setPrintStyle(*m_printInfo, m_currentStyle);
    AccessoryOptions::storePrintOptions(m_printOptions, m_defaults);
}
