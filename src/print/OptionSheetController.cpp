#include "print/OptionSheetController.h"

#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"
#include "platform/widgets/OpeningFocus.h"
#include "print/FrameFontPanel.h"
#include "print/LengthField.h"
#include "print/PrintOptionValue.h"
#include "print/PrintOptions.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace PrintOptionsKey;

namespace {

// The sizes the font of horizontal text takes, and what a record without a
// usable one shows.
constexpr int smallestFontSize = 1;
constexpr int largestFontSize = 144;
constexpr int standardFontSize = 14;
const QString noHonorific = QStringLiteral("None");

} // namespace

OptionSheetController::OptionSheetController(UserDefaults &defaults, QWidget *parent)
    : QDialog(parent)
    , m_userDefaults(defaults)
    , m_lastUnitType(LengthField::points)
{
    setObjectName(QStringLiteral("OptionSheetController"));
    setWindowTitle(tr("Style Settings"));
    buildFrame();
    // The unit at index 2 is points, the unit the record keeps.
    m_unitTypePopup->setCurrentIndex(2);
    connectTabs();
    updateUI();
    OpeningFocus::giveTo(this, m_topMarginField);
}

OptionSheetController::~OptionSheetController() = default;

void OptionSheetController::buildFrame()
{
    m_unitTypePopup = new QComboBox(this);
    m_unitTypePopup->setObjectName(QStringLiteral("unitTypePopup"));
    m_unitTypePopup->addItem(tr("inches"), LengthField::inches);
    m_unitTypePopup->addItem(tr("mm"), LengthField::mm);
    m_unitTypePopup->addItem(tr("points"), LengthField::points);
    connect(m_unitTypePopup, &QComboBox::activated, this, &OptionSheetController::unitTypePopupChanged);

    auto margin = [this](const char *name) {
        auto *field = new LengthField(0, largestMargin, this);
        field->setObjectName(QString::fromLatin1(name));
        addLengthField(field);
        return field;
    };
    m_topMarginField = margin("topMarginField");
    m_leftMarginField = margin("leftMarginField");
    m_rightMarginField = margin("rightMarginField");
    m_bottomMarginField = margin("bottomMarginField");
    auto *margins = new QGridLayout;
    margins->addWidget(new QLabel(tr("Top:"), this), 0, 0);
    margins->addWidget(m_topMarginField, 0, 1);
    margins->addWidget(new QLabel(tr("Bottom:"), this), 0, 2);
    margins->addWidget(m_bottomMarginField, 0, 3);
    margins->addWidget(new QLabel(tr("Left:"), this), 1, 0);
    margins->addWidget(m_leftMarginField, 1, 1);
    margins->addWidget(new QLabel(tr("Right:"), this), 1, 2);
    margins->addWidget(m_rightMarginField, 1, 3);

    m_fontNameField = new QLineEdit(this);
    m_fontNameField->setObjectName(QStringLiteral("fontNameField"));
    m_fontNameField->setReadOnly(true);
    m_fontSizeField = new QSpinBox(this);
    m_fontSizeField->setObjectName(QStringLiteral("fontSizeField"));
    m_fontSizeField->setRange(smallestFontSize, largestFontSize);
    m_fontSizeField->setKeyboardTracking(false);
    connect(m_fontSizeField, &QSpinBox::valueChanged, this, [this] {
        if (!m_filling)
            updatePrintOptions();
    });
    m_showFontButton = new QPushButton(tr("Show Fonts"), this);
    m_showFontButton->setObjectName(QStringLiteral("showFontButton"));
    m_showFontButton->setAutoDefault(false);
    connect(m_showFontButton, &QPushButton::clicked, this, &OptionSheetController::showFontsButtonPressed);
    auto *font = new QHBoxLayout;
    font->addWidget(m_fontNameField, 1);
    font->addWidget(m_fontSizeField);
    font->addWidget(m_showFontButton);

    m_keishouPopup = new QComboBox(this);
    m_keishouPopup->setObjectName(QStringLiteral("keishouPopup"));
    initKeishouPopup(m_keishouPopup);
    connect(m_keishouPopup, &QComboBox::activated, this, &OptionSheetController::updatePrintOptions);

    auto *frame = new QFormLayout;
    frame->addRow(tr("Unit:"), m_unitTypePopup);
    frame->addRow(tr("Margins:"), margins);
    frame->addRow(tr("Font:"), font);
    frame->addRow(tr("Honorific:"), m_keishouPopup);

    m_tabView = new QTabWidget(this);
    m_tabView->setObjectName(QStringLiteral("tabView"));
    buildTabs();

    m_doneButton = new QPushButton(tr("Done"), this);
    m_doneButton->setObjectName(QStringLiteral("doneButton"));
    m_doneButton->setDefault(true);
    connect(m_doneButton, &QPushButton::clicked, this, &OptionSheetController::doneButtonPressed);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_doneButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(frame);
    layout->addWidget(m_tabView, 1);
    layout->addLayout(buttons);
}

void OptionSheetController::addLengthField(LengthField *field, bool storesOnEdit)
{
    m_lengthFields.append(field);
    field->setUnit(m_lastUnitType);
    if (!storesOnEdit)
        return;
    connect(field, &LengthField::lengthEdited, this, [this] {
        if (!m_filling)
            updatePrintOptions();
    });
}

float OptionSheetController::changeValue(float value, const QString &from, const QString &to)
{
    return LengthField::changeValue(value, from, to);
}

float OptionSheetController::fromPoints(float value, const QString &unit)
{
    return LengthField::fromPoints(value, unit);
}

float OptionSheetController::toPoints(float value, const QString &unit)
{
    return LengthField::toPoints(value, unit);
}

void OptionSheetController::initKeishouPopup(QComboBox *popup)
{
    popup->clear();
    for (const char *key : {"None", "様", "殿", "御中", "Mr.", "Mrs.", "Ms.", "Dr."})
        popup->addItem(tr(key), QString::fromUtf8(key));
}

std::shared_ptr<const VerticalFontEntries> OptionSheetController::verticalFonts()
{
    return VerticalFontList::fonts();
}

void OptionSheetController::setPrintStyle(const QString &style)
{
    m_printStyle = style;
    m_printOptions = PrintOptions::loadPrintOptions(m_userDefaults);
    m_announcedOptions = *m_printOptions;
    adoptSharedLists();
    (void)verticalFonts();
    updateUI();
    // The sheet opens on the settings of what the user is about to print.
    if (QWidget *tab = tabOfStyle(style))
        m_tabView->setCurrentWidget(tab);
}

void OptionSheetController::updateUI()
{
    if (m_printOptions)
        putSharedLists(*m_printOptions);
    const PrintOptionsRecord record = m_printOptions ? *m_printOptions : PrintOptionsRecord();
    m_filling = true;
    m_fontNameField->setEnabled(true);
    m_showFontButton->setEnabled(true);
    const QList<std::pair<LengthField *, QString>> margins{{m_topMarginField, TopMargin},
        {m_leftMarginField, LeftMargin}, {m_rightMarginField, RightMargin}, {m_bottomMarginField, BottomMargin}};
    for (const auto &[field, key] : margins)
        field->setLengthInPoints(float(PrintOptionValue::number(record.value(key))));
    m_fontNameField->setText(PrintOptionValue::text(record.value(FontName)));
    const qint64 size = PrintOptionValue::integer(record.value(FontSize));
    m_fontSizeField->setValue(
        size < smallestFontSize ? standardFontSize : int(std::min<qint64>(size, largestFontSize)));
    initKeishouPopup(m_keishouPopup);
    const QString keishou = PrintOptionValue::text(record.value(Keishou));
    const int honorific = keishou.isEmpty() || keishou == noHonorific ? -1 : m_keishouPopup->findData(keishou);
    m_keishouPopup->setCurrentIndex(std::max(honorific, 0));
    // Before the first working copy there is nothing to show on the tabs.
    if (m_printOptions)
        fillTabs(*m_printOptions);
    m_filling = false;
}

void OptionSheetController::updatePrintOptions()
{
    if (!m_printOptions)
        m_printOptions = PrintOptions::loadPrintOptions(m_userDefaults);
    PrintOptionsRecord &record = *m_printOptions;
    record.insert(FontName, m_fontNameField->text());
    record.insert(TopMargin, m_topMarginField->lengthInPoints());
    record.insert(LeftMargin, m_leftMarginField->lengthInPoints());
    record.insert(RightMargin, m_rightMarginField->lengthInPoints());
    record.insert(BottomMargin, m_bottomMarginField->lengthInPoints());
    const QString keishou = m_keishouPopup->currentData().toString();
    record.insert(Keishou, keishou == noHonorific ? QString() : keishou);
    record.insert(FontSize, m_fontSizeField->value());
    storeTabs(record);
    writePrintOptions();
    announcePrintOptions();
}

void OptionSheetController::storePrintOptions()
{
    if (!m_printOptions)
        return;
    writePrintOptions();
    // Every earlier store was announced with it; what changed the copy
    // without one (a reorder, the items the main table's columns turned on)
    // the preview learns of only now.
    if (*m_printOptions != m_announcedOptions)
        announcePrintOptions();
}

void OptionSheetController::writePrintOptions()
{
    putSharedLists(*m_printOptions);
    PrintOptions::storePrintOptions(*m_printOptions, m_userDefaults);
}

void OptionSheetController::announcePrintOptions()
{
    m_announcedOptions = *m_printOptions;
    NotificationCenter::defaultCenter().postNotification(PrintOptions::printOptionsUpdated, this);
}

void OptionSheetController::unitTypePopupChanged()
{
    const QString unit = m_unitTypePopup->currentData().toString();
    m_filling = true;
    for (LengthField *field : std::as_const(m_lengthFields))
        field->setUnit(unit);
    m_filling = false;
    m_lastUnitType = unit;
}

void OptionSheetController::showFontsButtonPressed()
{
    FrameFontPanel::open(
        m_fontPanel, this, m_fontNameField, m_fontSizeField, [this](const QFont &font) { changeFont(font); });
}

void OptionSheetController::changeFont(const QFont &font)
{
    m_filling = true;
    FrameFontPanel::showFont(font, m_fontNameField, m_fontSizeField);
    m_filling = false;
    updatePrintOptions();
}

void OptionSheetController::doneButtonPressed()
{
    done(doneReturnCode);
}
