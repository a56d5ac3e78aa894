// The tabs of the print styles on the print options sheet: what each fills
// from the working copy and stores into it, and the lists they edit in place.

#include "print/OptionSheetController.h"

#include "print/AddressListTab.h"
#include "print/EnvelopeTab.h"
#include "print/HagakiTab.h"
#include "print/PrintStyle.h"
#include "print/LabelConfigPanelController.h"
#include "print/LabelsTab.h"
#include "print/LengthField.h"
#include "print/PrintOptionValue.h"
#include "print/PrintOptions.h"

#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>

using namespace PrintOptionsKey;

void OptionSheetController::buildTabs()
{
    m_hagakiTab = new HagakiTab(m_tabView);
    m_envelopeTab = new EnvelopeTab(m_tabView);
    m_labelsTab = new LabelsTab(m_tabView);
    m_addressListTab = new AddressListTab(m_tabView);
    m_tabView->addTab(m_hagakiTab, tr("Hagaki"));
    m_tabView->addTab(m_envelopeTab, tr("Envelope"));
    m_tabView->addTab(m_labelsTab, tr("Labels"));
    m_tabView->addTab(m_addressListTab, tr("Address List"));
    m_addressListTab->setItems(m_itemTable);
}

QWidget *OptionSheetController::tabOfStyle(const QString &style) const
{
    const QList<std::pair<QString, QWidget *>> tabs{{PrintStyleName::hagaki, m_hagakiTab},
        {PrintStyleName::envelope, m_envelopeTab}, {PrintStyleName::labels, m_labelsTab},
        {PrintStyleName::addressList, m_addressListTab}};
    for (const auto &[name, tab] : tabs) {
        if (name == style)
            return tab;
    }
    return nullptr;
}

void OptionSheetController::connectTabs()
{
    const auto store = [this] {
        if (!m_filling)
            updatePrintOptions();
    };
    for (LengthField *field : m_labelsTab->lengthFields())
        addLengthField(field);
    // A position is stored as the New-Year card's, whatever card shows.
    addLengthField(m_hagakiTab->zipXField(), false);
    addLengthField(m_hagakiTab->zipYField(), false);

    connect(m_hagakiTab, &HagakiTab::changed, this, store);
    connect(m_hagakiTab, &HagakiTab::typeChanged, this, &OptionSheetController::hagakiTypePopupSelected);
    connect(m_hagakiTab, &HagakiTab::positionChanged, this, &OptionSheetController::hagakiZIPPositionChanged);
    connect(m_envelopeTab, &EnvelopeTab::changed, this, store);
    connect(m_labelsTab, &LabelsTab::changed, this, store);
    connect(m_labelsTab, &LabelsTab::presetApplied, this, store);
    connect(m_labelsTab, &LabelsTab::addDeleteRequested, this, &OptionSheetController::openLabelConfigPanel);
    connect(m_addressListTab, &AddressListTab::switchChanged, this, &OptionSheetController::aListTabSwichChanged);
    connect(m_addressListTab, &AddressListTab::labelsChosen, this, &OptionSheetController::aListTabLabelPopupChanged);
    connect(m_addressListTab, &AddressListTab::itemStateChanged, this, store);
    // The new order is in the sheet's list: it is stored and announced with
    // the next change, or as the sheet ends.
    connect(m_addressListTab, &AddressListTab::itemsReordered, this, &OptionSheetController::updateUI);

    NotificationCenter::defaultCenter().addObserver(this, LabelPresetTableModel::labelAttributeChanged, QVariant(),
        [this](const NotificationCenter::Notification &note) { handleNameChange(note); });
}

void OptionSheetController::setColumnsInMainView(const QStringList &columns)
{
    m_columnsInMainView = columns;
    if (!m_printOptions)
        return;
    AddressListItemTableModel::markColumns(*m_itemTable, columns);
    m_addressListTab->setItems(m_itemTable);
}

QList<VerticalFontPopup::Entry> OptionSheetController::fontEntries()
{
    QList<VerticalFontPopup::Entry> entries;
    if (const std::shared_ptr<const VerticalFontEntries> fonts = verticalFonts()) {
        entries.reserve(fonts->size());
        for (const VerticalFontEntry &font : *fonts)
            entries.append({font.displayName, font.fontName});
    }
    return entries;
}

void OptionSheetController::adoptSharedLists()
{
    const PrintOptionsRecord &record = *m_printOptions;
    // A value that is no list reads as an empty one.
    *m_itemTable = PrintOptionValue::dictionary(record, AddressList).value(ItemTable).toList();
    *m_labelPresetArray = PrintOptionValue::dictionary(record, MailingLabels).value(PresetArray).toList();
    m_addressListTab->setItems(m_itemTable);
    if (m_labelConfigPanelController)
        m_labelConfigPanelController->setLabelAttributes(m_labelPresetArray);
}

void OptionSheetController::putSharedLists(PrintOptionsRecord &record) const
{
    QVariantMap list = PrintOptionValue::dictionary(record, AddressList);
    list.insert(ItemTable, *m_itemTable);
    record.insert(AddressList, list);
    QVariantMap labels = PrintOptionValue::dictionary(record, MailingLabels);
    labels.insert(PresetArray, *m_labelPresetArray);
    record.insert(MailingLabels, labels);
}

void OptionSheetController::fillTabs(PrintOptionsRecord &record)
{
    const QList<VerticalFontPopup::Entry> fonts = fontEntries();
    QVariantMap hagaki = PrintOptionValue::dictionary(record, Hagaki);
    m_hagakiTab->fill(hagaki, fonts, m_lastUnitType);
    record.insert(Hagaki, hagaki);
    QVariantMap envelope = PrintOptionValue::dictionary(record, Envelope);
    m_envelopeTab->fill(envelope, fonts);
    record.insert(Envelope, envelope);
    QVariantMap labels = PrintOptionValue::dictionary(record, MailingLabels);
    m_labelsTab->fill(labels, *m_labelPresetArray, fonts);
    record.insert(MailingLabels, labels);
    AddressListItemTableModel::markColumns(*m_itemTable, m_columnsInMainView);
    QVariantMap list = PrintOptionValue::dictionary(record, AddressList);
    list.insert(ItemTable, *m_itemTable);
    m_addressListTab->fill(list);
    record.insert(AddressList, list);
}

void OptionSheetController::storeTabs(PrintOptionsRecord &record)
{
    QVariantMap labels = PrintOptionValue::dictionary(record, MailingLabels);
    m_labelsTab->store(labels);
    record.insert(MailingLabels, labels);
    QVariantMap envelope = PrintOptionValue::dictionary(record, Envelope);
    m_envelopeTab->store(envelope);
    record.insert(Envelope, envelope);
    QVariantMap hagaki = PrintOptionValue::dictionary(record, Hagaki);
    m_hagakiTab->store(hagaki);
    record.insert(Hagaki, hagaki);
}

void OptionSheetController::hagakiTypePopupSelected()
{
    updatePrintOptions();
    m_hagakiTab->showPosition(PrintOptionValue::dictionary(*m_printOptions, Hagaki));
    NotificationCenter::defaultCenter().postNotification(PrintOptions::printOptionsUpdated, this);
}

void OptionSheetController::hagakiZIPPositionChanged()
{
    if (m_filling || !m_printOptions)
        return;
    QVariantMap hagaki = PrintOptionValue::dictionary(*m_printOptions, Hagaki);
    m_hagakiTab->storePosition(hagaki);
    m_printOptions->insert(Hagaki, hagaki);
    updatePrintOptions();
    NotificationCenter::defaultCenter().postNotification(PrintOptions::printOptionsUpdated, this);
}

void OptionSheetController::aListTabSwichChanged()
{
    if (!m_printOptions)
        return;
    QVariantMap list = PrintOptionValue::dictionary(*m_printOptions, AddressList);
    m_addressListTab->storeSwitches(list);
    m_printOptions->insert(AddressList, list);
    updatePrintOptions();
}

void OptionSheetController::aListTabLabelPopupChanged(const QStringList &selection)
{
    if (!m_printOptions)
        return;
    QVariantMap list = PrintOptionValue::dictionary(*m_printOptions, AddressList);
    list.insert(SelectedLabels, selection);
    m_printOptions->insert(AddressList, list);
    updatePrintOptions();
}

void OptionSheetController::openLabelConfigPanel()
{
    if (!m_labelConfigPanelController) {
        m_labelConfigPanelController = new LabelConfigPanelController(this);
        m_labelConfigPanelController->setObjectName(QStringLiteral("labelConfigPanelController"));
        m_labelConfigPanelController->setWindowModality(Qt::WindowModal);
    }
    m_labelConfigPanelController->setLabelAttributes(m_labelPresetArray);
    m_labelConfigPanelController->open();
}

void OptionSheetController::handleNameChange(const NotificationCenter::Notification &note)
{
    if (!m_printOptions)
        return;
    m_labelsTab->fillPresetPopup(*m_labelPresetArray);
    QComboBox *popup = m_labelsTab->presetPopup();
    int entry = -1;
    if (note.object.isValid()) {
        // Names repeat: the panel names its preset by row as well.
        const QString name = note.object.toString();
        bool hasRow = false;
        const int row = note.userInfo.value(LabelPresetTableModel::presetRowKey).toInt(&hasRow);
        entry
            = hasRow && row >= 0 && row < popup->count() && popup->itemText(row) == name ? row : popup->findText(name);
    }
    popup->setCurrentIndex(entry);
    // A removed preset names none: the sizes stay as they are.
    if (entry >= 0 && m_labelsTab->showPreset(entry))
        updatePrintOptions();
    else
        putSharedLists(*m_printOptions);
}
