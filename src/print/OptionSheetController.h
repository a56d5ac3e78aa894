#pragma once

#include "platform/NotificationCenter.h"
#include "print/AddressListItemTableModel.h"
#include "print/LabelConfigPanelController.h"
#include "print/LabelPresetTableModel.h"
#include "print/PrintOptionsRecord.h"
#include "print/VerticalFontList.h"
#include "print/VerticalFontPopup.h"

#include <QDialog>
#include <QFontDialog>
#include <QList>
#include <QPointer>
#include <QStringList>

#include <memory>

class AddressListTab;
class EnvelopeTab;
class HagakiTab;
class LabelsTab;
class LengthField;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class UserDefaults;

// The print options sheet: edits a working copy of the print options, the
// settings every style shares in its frame (unit, margins, the font of
// horizontal text, the honorific) above the tabs of the styles ("Hagaki",
// "Envelope", "Labels", "Address List"). The address list's items and the
// label presets are lists of the sheet's own, which the item table and the
// preset panel edit in place; they go into the working copy whenever it is
// stored, and on a notice of the preset panel. Every change
// stores the whole copy under MV1DprintOptions and announces it with
// MV1NprintOptionsUpdated, so that the preview follows while the sheet is
// open; what changes the copy without a store (a reorder of the items, the
// items the main table's columns turn on) is announced as the sheet ends.
// The window opens it window-modal; Done ends it with 1.
class OptionSheetController : public QDialog {
    Q_OBJECT

public:
    static constexpr int doneReturnCode = 1;
    // The margins take 0 to 4 inches.
    static constexpr double largestMargin = 288;

    explicit OptionSheetController(UserDefaults &defaults, QWidget *parent = nullptr);
    ~OptionSheetController() override;

    [[nodiscard]] const PrintOptionsRecordPtr &printOptions() const { return m_printOptions; }
    [[nodiscard]] const QString &printStyle() const { return m_printStyle; }
    // Takes the style and a fresh working copy of the stored options, and
    // fills the controls from it.
    void setPrintStyle(const QString &style);
    // The contact table's columns of its current view type.
    // Also turns those columns' items on in the working copy's item table.
    void setColumnsInMainView(const QStringList &columns);
    // The faces offered for vertical text, once built.
    [[nodiscard]] std::shared_ptr<const VerticalFontEntries> verticalFonts();

    // Fills every control from the working copy.
    void updateUI();
    // Reads every control into the working copy, stores it and announces it.
    void updatePrintOptions();
    // Stores the working copy as the sheet ends; announces it only when it
    // holds what no notice has told of.
    void storePrintOptions();

    // The unit the lengths are shown in: "points", "inches" or "mm".
    [[nodiscard]] const QString &lastUnitType() const { return m_lastUnitType; }
    // A length field of the sheet: it follows the unit switch and, unless its
    // owner stores it another way, its edits store the options.
    void addLengthField(LengthField *field, bool storesOnEdit = true);

    // Unit conversion of single-precision lengths.
    [[nodiscard]] static float changeValue(float value, const QString &from, const QString &to);
    [[nodiscard]] static float fromPoints(float value, const QString &unit);
    [[nodiscard]] static float toPoints(float value, const QString &unit);

    // Fills the pop-up with the honorifics, each keyed by the text stored.
    static void initKeishouPopup(QComboBox *popup);

    // --- Controls ----------------------------------------------------------------
    [[nodiscard]] QComboBox *unitTypePopup() const { return m_unitTypePopup; }
    [[nodiscard]] LengthField *topMarginField() const { return m_topMarginField; }
    [[nodiscard]] LengthField *leftMarginField() const { return m_leftMarginField; }
    [[nodiscard]] LengthField *rightMarginField() const { return m_rightMarginField; }
    [[nodiscard]] LengthField *bottomMarginField() const { return m_bottomMarginField; }
    [[nodiscard]] QLineEdit *fontNameField() const { return m_fontNameField; }
    [[nodiscard]] QSpinBox *fontSizeField() const { return m_fontSizeField; }
    [[nodiscard]] QPushButton *showFontButton() const { return m_showFontButton; }
    [[nodiscard]] QComboBox *keishouPopup() const { return m_keishouPopup; }
    [[nodiscard]] QPushButton *doneButton() const { return m_doneButton; }
    [[nodiscard]] QTabWidget *tabView() const { return m_tabView; }
    // The font dialog while it is open.
    [[nodiscard]] QFontDialog *fontPanel() const { return m_fontPanel; }
    [[nodiscard]] HagakiTab *hagakiTab() const { return m_hagakiTab; }
    [[nodiscard]] EnvelopeTab *envelopeTab() const { return m_envelopeTab; }
    [[nodiscard]] LabelsTab *labelsTab() const { return m_labelsTab; }
    [[nodiscard]] AddressListTab *addressListTab() const { return m_addressListTab; }
    // The preset panel once "Add/Delete..." has opened it.
    [[nodiscard]] LabelConfigPanelController *labelConfigPanelController() const
    {
        return m_labelConfigPanelController;
    }

    // The lists the tables edit in place.
    [[nodiscard]] const ItemTableListPtr &itemTable() const { return m_itemTable; }
    [[nodiscard]] const LabelPresetListPtr &labelPresetArray() const { return m_labelPresetArray; }

private:
    void buildFrame();
    // The style tabs (OptionSheetControllerTabs.cpp).
    void buildTabs();
    void connectTabs();
    [[nodiscard]] QList<VerticalFontPopup::Entry> fontEntries();
    void fillTabs(PrintOptionsRecord &record);
    // The tab of the print style ("Labels": the mailing labels'); null for
    // a style of no tab.
    [[nodiscard]] QWidget *tabOfStyle(const QString &style) const;
    void storeTabs(PrintOptionsRecord &record);
    // The working copy's lists become the sheet's, in place.
    void adoptSharedLists();
    void putSharedLists(PrintOptionsRecord &record) const;
    void writePrintOptions();
    void announcePrintOptions();
    void hagakiTypePopupSelected();
    void hagakiZIPPositionChanged();
    void aListTabSwichChanged();
    void aListTabLabelPopupChanged(const QStringList &selection);
    void openLabelConfigPanel();
    void handleNameChange(const NotificationCenter::Notification &note);

    void unitTypePopupChanged();
    void showFontsButtonPressed();
    void changeFont(const QFont &font);
    void doneButtonPressed();

    UserDefaults &m_userDefaults;
    PrintOptionsRecordPtr m_printOptions;
    // The working copy as the preview last took it: as loaded, or as last
    // announced.
    PrintOptionsRecord m_announcedOptions;
    QString m_printStyle = QStringLiteral("Hagaki");
    QStringList m_columnsInMainView;
    QString m_lastUnitType;
    QList<LengthField *> m_lengthFields;
    bool m_filling = false;

    QComboBox *m_unitTypePopup = nullptr;
    LengthField *m_topMarginField = nullptr;
    LengthField *m_leftMarginField = nullptr;
    LengthField *m_rightMarginField = nullptr;
    LengthField *m_bottomMarginField = nullptr;
    QLineEdit *m_fontNameField = nullptr;
    QSpinBox *m_fontSizeField = nullptr;
    QPushButton *m_showFontButton = nullptr;
    QComboBox *m_keishouPopup = nullptr;
    QPushButton *m_doneButton = nullptr;
    QTabWidget *m_tabView = nullptr;
    QPointer<QFontDialog> m_fontPanel;

    ItemTableListPtr m_itemTable = std::make_shared<ItemTableList>();
    LabelPresetListPtr m_labelPresetArray = std::make_shared<LabelPresetList>();
    HagakiTab *m_hagakiTab = nullptr;
    EnvelopeTab *m_envelopeTab = nullptr;
    LabelsTab *m_labelsTab = nullptr;
    AddressListTab *m_addressListTab = nullptr;
    QPointer<LabelConfigPanelController> m_labelConfigPanelController;
};
