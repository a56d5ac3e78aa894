#pragma once

#include "model/ContainerRecord.h"
#include "table/GroupOutlinePane.h"

#include <QFont>
#include <QPointer>
#include <QWidget>

class GroupOutlineModel;
class GroupViewControllerDelegate;
class QMimeData;
class QModelIndex;
class QTreeView;

// The outline of the containers and their groups, one column "Groups".
// Choosing a group shows it in the window; while the window is editable a
// group's name is edited in place and rows of the window's own contact
// table are dropped onto a group to add them. The outline owns no data: it
// shows the records it is handed and tells its delegate of every choice.
class GroupViewController : public QWidget, public GroupOutlinePane {
    Q_OBJECT

public:
    static constexpr int loadedRowHeight = 20;
    static constexpr int smallestRowHeight = 24;

    explicit GroupViewController(QWidget *parent = nullptr);
    ~GroupViewController() override;

    [[nodiscard]] QTreeView *outlineView() const { return m_outlineView; }
    [[nodiscard]] GroupOutlineModel *model() const { return m_model; }
    void setDelegate(GroupViewControllerDelegate *delegate) { m_delegate = delegate; }
    // The view whose dragged rows are the window's contact table's.
    void setContactsTableView(QObject *tableView) { m_contactsTableView = tableView; }

    void setContainerTable(const ContainerTablePtr &containerTable) override;
    [[nodiscard]] const ContainerTablePtr &containerTable() const;
    void setSelectedGroupDict(const GroupRecordPtr &selectedGroupDict) override;
    [[nodiscard]] const GroupRecordPtr &selectedGroupDict() const { return m_selectedGroupDict; }
    void setEditState(bool editState) override;
    [[nodiscard]] bool editState() const { return m_editState; }
    // The font and the row height that follows from it (at least 24); the
    // outline is reloaded with every item expanded.
    void setSelectedFont(const QFont &font) override;
    [[nodiscard]] const QFont &selectedFont() const { return m_selectedFont; }
    [[nodiscard]] int rowHeight() const { return m_rowHeight; }
    // Reloads the outline and selects the selected group again.
    void updateTable() override;

    // The first fill, once per container table shown: the groups of every
    // container holding only its top group are read through the delegate.
    void viewWillAppear();

    // A name typed for a group: reported when not empty and new.
    void textFieldCellChanged(const GroupRecordPtr &group, const QString &text);
    // Rows of the window's contact table go onto a group other than the one
    // shown, of the shown group's container, while editable.
    [[nodiscard]] bool validateDrop(const QMimeData *data, const QModelIndex &item) const;
    bool acceptDrop(const QMimeData *data, const QModelIndex &item);

    // Room for a few groups above the preview.
    [[nodiscard]] QSize sizeHint() const override { return {180, 200}; }
    // The header and five rows: in a low window the preview below gives way.
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void outlineSelectionDidChange();
    void reloadOutline();
    void expandParentOfSelectedGroup();
    void selectSelectedGroup(bool scroll);

    QTreeView *m_outlineView = nullptr;
    GroupOutlineModel *m_model = nullptr;
    GroupViewControllerDelegate *m_delegate = nullptr;
    QPointer<QObject> m_contactsTableView;
    GroupRecordPtr m_selectedGroupDict;
    QFont m_selectedFont;
    int m_rowHeight = loadedRowHeight;
    bool m_editState = false;
    // Set while the code selects a row: the delegate hears of user choices.
    bool m_selectingQuietly = false;
    // The container table the first fill ran for.
    const ContainerTable *m_filledTable = nullptr;
};
