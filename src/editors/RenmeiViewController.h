#pragma once

#include "editors/ValueEditor.h"

#include <QFont>

class CellEditingDelegate;
class NameListModel;
class QTableView;

// The joint-names editor: the further people of a household printed beside
// the addressee, one name per row. Done while editing hands back the names
// under "values", empty rows left out; Done reads "Add" for a contact without
// joint names and "Change" otherwise, and is disabled while locked. A contact
// without joint names opens on one empty row being edited, whose Return is
// Done; when no name was typed, nothing is handed back.
class RenmeiViewController : public ValueEditor {
    Q_OBJECT

public:
    explicit RenmeiViewController(QWidget *parent = nullptr);

    [[nodiscard]] QTableView *tableView() const { return m_tableView; }
    [[nodiscard]] QPushButton *addButton() const { return m_addButton; }
    [[nodiscard]] QPushButton *delButton() const { return m_delButton; }
    [[nodiscard]] QStringList names() const;
    // The font of the name cells; the opener sets it.
    void setSelectedFont(const QFont &font);

protected:
    void fillControls(MVPerson *person, bool editable) override;
    void setControlsEditing(bool editing) override;
    bool writeResult() override;
    void contextInfoDidLoad() override;
    void didFinish() override;
    void enterPendingInput() override;
    [[nodiscard]] bool readsEditEnabled() const override { return false; }
    [[nodiscard]] QString doneTitle(bool editing) const override;
    [[nodiscard]] bool doneEnabledAtToggle(bool editing) const override { return editing; }
    [[nodiscard]] bool togglesCancel() const override { return false; }

private:
    void addRow();
    void deleteRow();
    void editRow(int row);
    void advanceFrom(const QModelIndex &from, bool tab);
    [[nodiscard]] int selectedRow() const;

    NameListModel *m_table = nullptr;
    CellEditingDelegate *m_cellDelegate = nullptr;
    QTableView *m_tableView = nullptr;
    QPushButton *m_addButton = nullptr;
    QPushButton *m_delButton = nullptr;
    QString m_doneTitle;
    // Opened on a contact without joint names: the one row is the name to add.
    bool m_startsEmpty = false;
};
