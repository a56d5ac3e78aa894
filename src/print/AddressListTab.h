#pragma once

#include "print/AddressListItemTableModel.h"

#include <QStringList>
#include <QVariantMap>
#include <QWidget>

class LabelChecklist;
class QCheckBox;
class QTableView;

// The address-list settings of the print options sheet: frame, alternating
// rows, which labels' values print, and which items print in which order.
// The item table is the sheet's list, edited in place: a switched item or a
// dragged one changes it at once.
class AddressListTab : public QWidget {
    Q_OBJECT

public:
    explicit AddressListTab(QWidget *parent = nullptr);

    void setItems(ItemTableListPtr items);
    // Shows the sub-record; the items are those set.
    void fill(const QVariantMap &list);
    // The two switches into the sub-record.
    void storeSwitches(QVariantMap &list) const;

    [[nodiscard]] QCheckBox *printFrameSwitch() const { return m_printFrame; }
    [[nodiscard]] QCheckBox *alternateRowSwitch() const { return m_alternateRow; }
    [[nodiscard]] LabelChecklist *labelChecklist() const { return m_labelChecklist; }
    [[nodiscard]] QTableView *itemTableView() const { return m_itemTableView; }

Q_SIGNALS:
    void switchChanged();
    // The user picked labels: the selection to store.
    void labelsChosen(const QStringList &selection);
    void itemStateChanged();
    void itemsReordered();

private:
    QCheckBox *m_printFrame = nullptr;
    QCheckBox *m_alternateRow = nullptr;
    LabelChecklist *m_labelChecklist = nullptr;
    AddressListItemTableModel *m_itemModel = nullptr;
    QTableView *m_itemTableView = nullptr;
};
