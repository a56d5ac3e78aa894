#pragma once

#include "print/AddressListItemTableModel.h"
#include "print/LabelPresetTableModel.h"
#include "print/LengthField.h"
#include "print/PrintInfo.h"

#include <QFontDialog>
#include <QPointer>
#include <QStringList>
#include <QVariantMap>
#include <QWidget>

class LabelChecklist;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableView;
class UserDefaults;

// The print settings pane meant for the print dialog's option tabs: the
// address-list and label settings of a record of its own, kept under
// "MV1DaccessoryPrintOptions", with the chosen style in the print info. It
// never reads or writes the print options the sheet and the preview use.
class AccessoryViewController : public QWidget {
    Q_OBJECT

public:
    AccessoryViewController(UserDefaults &defaults, PrintInfoPtr printInfo, QWidget *parent = nullptr);

    [[nodiscard]] const QVariantMap &printOptions() const { return m_printOptions; }
    [[nodiscard]] QString lastUnitType() const { return m_lastUnitType; }
    [[nodiscard]] QString printStyle() const;
    // Plain names of the vertical faces the label font pop-up offers: those
    // of the options sheet's list.
    [[nodiscard]] const QStringList &verticalFonts() const { return m_verticalFonts; }
    // Marks the main table's columns in the item table.
    void setColumns(const QStringList &columns);

    [[nodiscard]] QList<QPair<QString, QString>> localizedSummaryItems() const;

    // Stores the controls into the record, the style into the print info and
    // the record under its own key.
    void updateUI();

    [[nodiscard]] QTabWidget *styleTab() const { return m_styleTab; }
    [[nodiscard]] QComboBox *unitTypePopup() const { return m_unitTypePopup; }
    // Top, left, right, bottom.
    [[nodiscard]] LengthField *marginField(int edge) const { return m_margins[edge]; }
    [[nodiscard]] QLineEdit *fontNameField() const { return m_fontNameField; }
    [[nodiscard]] QSpinBox *fontSizeField() const { return m_fontSizeField; }
    [[nodiscard]] QPushButton *showFontButton() const { return m_showFontButton; }
    // The font dialog while it is open.
    [[nodiscard]] QFontDialog *fontPanel() const { return m_fontPanel; }
    [[nodiscard]] QTableView *itemTableView() const { return m_itemTableView; }
    [[nodiscard]] LabelChecklist *labelChecklist() const { return m_labelChecklist; }
    [[nodiscard]] QComboBox *presetPopup() const { return m_presetPopup; }
    // Width, height, horizontal gap, vertical gap.
    [[nodiscard]] LengthField *labelSizeField(int which) const { return m_labelSizes[which]; }
    [[nodiscard]] QSpinBox *repeatCountField() const { return m_repeatCount; }
    [[nodiscard]] QCheckBox *drawVerticalSwitch() const { return m_drawVertical; }
    [[nodiscard]] QComboBox *labelFontPopup() const { return m_labelFontPopup; }

private:
    QWidget *buildFrame();
    QWidget *buildAddressListTab();
    QWidget *buildLabelTab();
    void connectControls();

    void tabChanged(int index);
    void unitTypeChanged();
    void presetChosen(int index);
    void handleNameChange(const QVariant &name);
    void showFontsButtonPressed();
    void changeFont(const QFont &font);

    void initAListTab();
    void initMLabelTab();
    void initPresetPopup();
    void fillFrame(const QVariantMap &source);
    // The length fields show the unit the pop-up names.
    void showUnitOfPopup();
    [[nodiscard]] QList<LengthField *> lengthFields() const;
    [[nodiscard]] QVariantMap subRecord(const QString &name) const;
    void updatePrintOptions();

    UserDefaults &m_defaults;
    PrintInfoPtr m_printInfo;
    QVariantMap m_printOptions;
    QString m_currentStyle;
    QString m_lastUnitType = QStringLiteral("points");
    bool m_filling = false;
    QStringList m_columnsInMainView;
    QStringList m_verticalFonts;
    ItemTableListPtr m_itemTable = std::make_shared<ItemTableList>();
    LabelPresetListPtr m_presets = std::make_shared<LabelPresetList>();

    QTabWidget *m_styleTab = nullptr;
    QComboBox *m_unitTypePopup = nullptr;
    LengthField *m_margins[4] = {};
    QLineEdit *m_fontNameField = nullptr;
    QSpinBox *m_fontSizeField = nullptr;
    QPushButton *m_showFontButton = nullptr;
    QPointer<QFontDialog> m_fontPanel;

    QCheckBox *m_aListPrintFrame = nullptr;
    QCheckBox *m_aListAlternateRow = nullptr;
    AddressListItemTableModel *m_itemModel = nullptr;
    QTableView *m_itemTableView = nullptr;
    LabelChecklist *m_labelChecklist = nullptr;

    QCheckBox *m_labelPrintFrame = nullptr;
    QCheckBox *m_labelPrintCountry = nullptr;
    QCheckBox *m_labelPrintCompany = nullptr;
    QCheckBox *m_labelPrintSuffix = nullptr;
    QComboBox *m_keishouPopup = nullptr;
    QSpinBox *m_repeatCount = nullptr;
    QComboBox *m_presetPopup = nullptr;
    LengthField *m_labelSizes[4] = {};
    QCheckBox *m_drawVertical = nullptr;
    QLabel *m_fontLabel = nullptr;
    QComboBox *m_labelFontPopup = nullptr;
};
