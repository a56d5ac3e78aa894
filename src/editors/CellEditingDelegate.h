#pragma once

#include <QPersistentModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>

// The cells of the editors' own tables. A cell whose model answers a list
// under PopupItemsRole is edited with a pop-up of those items (an empty item
// is a separator, and the item at CustomLabelItemRole asks for a label of the
// user's own instead of being stored); any other cell as text. Return and Tab
// in a cell commit it and ask the editor where to go on, so that they move
// through the table instead of pressing the window's default button.
class CellEditingDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    enum Role {
        PopupItemsRole = Qt::UserRole + 1,
        CustomLabelItemRole,
    };

    // How a pop-up cell is edited: as a pop-up that stays open in its cell
    // after a choice, or as one cell's edit that the choice ends. A table of
    // closing pop-ups leaves Return and Tab to the view.
    enum class Popups { StayOpen, Close };

    explicit CellEditingDelegate(QObject *parent = nullptr, Popups popups = Popups::StayOpen);

    // Ends the text edit in progress, keeping what was typed.
    void commitOpenEditor();
    // Text cells of one-line values take no line break (a pasted one becomes
    // a space); off, a cell keeps what is pasted into it.
    void setKeepsCellsOnOneLine(bool oneLine) { m_oneLine = oneLine; }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void destroyEditor(QWidget *editor, const QModelIndex &index) const override;

Q_SIGNALS:
    void customLabelRequested(const QModelIndex &index);
    // Return or Tab ended the edit of this cell.
    void advanceRequested(const QModelIndex &from, bool tab);

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    void itemChosen(QWidget *popup, const QModelIndex &index, int position);

    Popups m_popups = Popups::StayOpen;
    bool m_oneLine = false;
    mutable QPointer<QWidget> m_openEditor;
    mutable QPersistentModelIndex m_openIndex;
};
