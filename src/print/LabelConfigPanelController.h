#pragma once

#include "print/LabelPresetTableModel.h"

#include <QDialog>

class QComboBox;
class QPushButton;
class QTableView;

// The panel in which the user adds, renames, resizes and removes label-size
// presets. It edits the opener's own preset list in place; there is nothing
// to save or cancel, and Done (or closing) ends it with result 1.
class LabelConfigPanelController : public QDialog {
    Q_OBJECT

public:
    explicit LabelConfigPanelController(QWidget *parent = nullptr);

    // Must be set before the panel shows: the opener's list, not a copy.
    void setLabelAttributes(LabelPresetListPtr presets);
    [[nodiscard]] LabelPresetListPtr labelAttributes() const { return m_model->presets(); }

    // The selected row's preset name; empty when no row is selected.
    [[nodiscard]] QString selectedPreset() const;
    [[nodiscard]] int selectedRow() const;

    [[nodiscard]] QTableView *tableView() const { return m_tableView; }
    [[nodiscard]] QPushButton *plusButton() const { return m_plusButton; }
    [[nodiscard]] QPushButton *minusButton() const { return m_minusButton; }
    [[nodiscard]] QComboBox *unitPopup() const { return m_unitPopup; }
    [[nodiscard]] QPushButton *doneButton() const { return m_doneButton; }
    [[nodiscard]] LabelPresetTableModel *model() const { return m_model; }

private:
    void addPreset();
    void removeSelectedPreset();
    void unitPopupSelected();

    LabelPresetTableModel *m_model = nullptr;
    QTableView *m_tableView = nullptr;
    QPushButton *m_plusButton = nullptr;
    QPushButton *m_minusButton = nullptr;
    QComboBox *m_unitPopup = nullptr;
    QPushButton *m_doneButton = nullptr;
};
