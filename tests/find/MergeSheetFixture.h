#pragma once

// The merge sheet opened from a real window, and the drags, typing, clicks
// and menus its tests deliver to it as a user's would.

#include "PersonValueDump.h"
#include "ViewControllerFixture.h"
#include "common/Screenshot.h"

#include "detail/ImageViewDragAndDrop.h"
#include "find/CustomLabelPanelController.h"
#include "find/MergeCellDelegate.h"
#include "find/MergePanelController.h"
#include "find/MergeRows.h"
#include "find/MergeTableModel.h"
#include "find/MergeTableView.h"
#include "platform/UndoManager.h"
#include "app/ContactMenuCommands.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QBuffer>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// The sheet opened from a real window over c0 (left) and c1 (right), both
// holding a value in every field.
class MergeSheetTest : public FilledContactsTest {
protected:
    void SetUp() override
    {
        FilledContactsTest::SetUp();
        m_table.selectedContactsList = {contact(0), contact(1), contact(2)};
        m_window.contactCommands()->mergeContacts();
        ASSERT_NE(m_window.contactCommands()->mergePanelController(), nullptr);
    }

    MergePanelController &panel() const { return *m_window.contactCommands()->mergePanelController(); }
    MergeTableView &view(bool left) const { return *(left ? panel().tableViewLeft() : panel().tableViewRight()); }
    MVPerson &copy(bool left) const { return *panel().contact(left)->person; }

    int rowOf(bool left, const ContactIdentifier &type, int nth = 0, const QString &label = {}) const
    {
        const QList<MergeTableRowPtr> &rows = panel().model(left)->rows();
        for (int row = 0; row < rows.size(); ++row) {
            if (rows.at(row)->type == type && (label.isEmpty() || rows.at(row)->labelText() == label) && nth-- == 0)
                return row;
        }
        return -1;
    }

    // A drag of the source row dropped on (or above) the target row of the
    // other table, delivered to that table as the drag manager would.
    bool drop(bool fromLeft, int sourceRow, bool toLeft, int targetRow, bool above = false, bool copy = false)
    {
        MergeTableView &source = view(fromLeft);
        std::unique_ptr<QMimeData> data(
            source.model()->mimeData({source.model()->index(sourceRow, MergeTableModel::ValueColumn)}));
        if (!data)
            return false;
        MergeTableView &target = view(toLeft);
        target.scrollTo(target.model()->index(targetRow, 0));
        const QRect cell = target.visualRect(target.model()->index(targetRow, MergeTableModel::TypeColumn));
        const QPoint point = above ? QPoint(cell.center().x(), cell.top() + 1) : cell.center();
        const Qt::KeyboardModifiers modifiers = copy ? Qt::ControlModifier : Qt::NoModifier;
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(point, actions, data.get(), Qt::LeftButton, modifiers);
        QApplication::sendEvent(target.viewport(), &enter);
        QDragMoveEvent move(point, actions, data.get(), Qt::LeftButton, modifiers);
        QApplication::sendEvent(target.viewport(), &move);
        QDropEvent dropped(point, actions, data.get(), Qt::LeftButton, modifiers);
        QApplication::sendEvent(target.viewport(), &dropped);
        QCoreApplication::processEvents();
        return dropped.isAccepted();
    }

    QStringList phones(bool left) const
    {
        QStringList numbers;
        for (const LabeledValueRecordPtr &value : std::as_const(*copy(left).phoneValues()))
            numbers.append(value->labelText() + u':' + value->valueText());
        return numbers;
    }

    void unlock()
    {
        if (!panel().editButton()->isChecked())
            QTest::mouseClick(panel().editButton(), Qt::LeftButton);
    }

    // Types into the value cell of the row and leaves it with the key.
    void type(bool left, int row, const QString &text, Qt::Key leaveWith = Qt::Key_Tab)
    {
        view(left).editRow(row);
        auto *editor = view(left).openEditor();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        // Typed as an input method hands in text the keyboard has no keys for.
        QInputMethodEvent input;
        input.setCommitString(text);
        QApplication::sendEvent(editor, &input);
        QTest::keyClick(editor, leaveWith);
        QCoreApplication::processEvents();
    }

    // A photo as a camera stores it, in bytes a re-encoding would change.
    static QByteArray jpegOf(Qt::GlobalColor color)
    {
        QImage image(60, 40, QImage::Format_RGB32);
        image.fill(color);
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPEG");
        return data;
    }

    QPoint cellPoint(bool left, int row, int column = MergeTableModel::ValueColumn) const
    {
        MergeTableView &table = view(left);
        const QModelIndex index = table.model()->index(row, column);
        table.scrollTo(index);
        return table.visualRect(index).center();
    }

    // As the window system delivers it: a click, then a press that is also
    // a double click.
    void doubleClick(bool left, int row, int column = MergeTableModel::ValueColumn, Qt::KeyboardModifiers keys = {})
    {
        QWidget *viewport = view(left).viewport();
        const QPoint point = cellPoint(left, row, column);
        QTest::mousePress(viewport, Qt::LeftButton, keys, point);
        QTest::mouseRelease(viewport, Qt::LeftButton, keys, point);
        QTest::mousePress(viewport, Qt::LeftButton, keys, point);
        QTest::mouseDClick(viewport, Qt::LeftButton, keys, point);
        QTest::mouseRelease(viewport, Qt::LeftButton, keys, point);
        QCoreApplication::processEvents();
    }

    // The row's context menu as a right click opens it; null when none shows.
    QMenu *rightClick(bool left, int row, int column = MergeTableModel::ValueColumn)
    {
        const QPoint point = cellPoint(left, row, column);
        QWidget *viewport = view(left).viewport();
        QContextMenuEvent event(QContextMenuEvent::Mouse, point, viewport->mapToGlobal(point));
        QApplication::sendEvent(viewport, &event);
        QMenu *menu = panel().menu(left);
        return menu && menu->isVisible() ? menu : nullptr;
    }

    // The items as the menu shows them: "!" in front of a disabled one.
    static QStringList itemsOf(const QMenu *menu)
    {
        QStringList items;
        for (const QAction *action : menu->actions())
            items.append((action->isEnabled() ? QString() : u"!"_s) + action->data().toString());
        return items;
    }

    static void choose(QMenu *menu, const QString &key)
    {
        ASSERT_NE(menu, nullptr);
        for (QAction *action : menu->actions()) {
            if (action->data().toString() == key) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                QCoreApplication::processEvents();
                return;
            }
        }
        FAIL() << key.toStdString();
    }
};
