#include "TableTestSupport.h"

#include "common/Screenshot.h"
#include "platform/contacts/ContactLabels.h"
#include "table/ContactTableCellDelegate.h"
#include "table/ContactTableModel.h"
#include "table/ContactsViewController.h"

#include <QImage>
#include <QTableView>

using namespace TableTest;

namespace {

// The darkest grey among the pixels of the rectangle.
int darkestGray(const QImage &image, const QRect &rect)
{
    int darkest = 255;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x)
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
    }
    return darkest;
}

class LockedLabelPopup : public TableTestCase {
protected:
    // The phone cell of the only row as the view paints it, and where its
    // label pop-up lies.
    std::pair<QImage, QRect> paintPhoneCell()
    {
        QTableView &view = *controller.tableView();
        const QModelIndex index = controller.model()->index(0, 1);
        const QRect cell = view.visualRect(index);
        QImage image(view.viewport()->size(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        view.viewport()->render(&image, cell.topLeft(), cell);
        const auto &cells = *qobject_cast<ContactTableCellDelegate *>(view.itemDelegate());
        return {image, cells.labelPopupRect(cell, index, view.viewport()).intersected(image.rect())};
    }

    RecordingDelegate delegate;
    ContactsViewController controller;
};

// Clicking the pop-up of a locked table does nothing, so it is drawn as the
// style draws a disabled combo box: no text or arrow as dark as an enabled one.
TEST_F(LockedLabelPopup, IsGreyedWhileTheTableIsLockedAndNotWhileEditing)
{
    StoreContact ann = person("Ann");
    setPhones(ann, {{ContactLabels::work, "03-1111"}});
    controller.resize(600, 200);
    controller.show();
    controller.setDelegate(&delegate);
    controller.setContactTable(table({ann}));
    controller.setSelectedLabels({"All"});
    controller.setColumnIdentifiers({"Name", "Phone"});
    controller.updateSubContactTable();
    controller.reload();
    controller.tableView()->clearSelection();
    const auto &cells = *qobject_cast<ContactTableCellDelegate *>(controller.tableView()->itemDelegate());

    controller.setEditState(true);
    const auto [editing, editingPopup] = paintPhoneCell();
    Screenshot::grab(&controller, QStringLiteral("editing"));
    EXPECT_TRUE(cells.popupAndTextCell().labelPopup().isEnabled());

    controller.setEditState(false);
    const auto [locked, lockedPopup] = paintPhoneCell();
    Screenshot::grab(&controller, QStringLiteral("locked"));
    EXPECT_FALSE(cells.popupAndTextCell().labelPopup().isEnabled());
    EXPECT_EQ(cells.popupAndTextCell().labelPopup().titleOfSelectedItem(), "work");

    ASSERT_FALSE(editingPopup.isEmpty());
    ASSERT_EQ(lockedPopup.size(), editingPopup.size());
    const int enabledInk = darkestGray(editing, editingPopup);
    const int disabledInk = darkestGray(locked, lockedPopup);
    EXPECT_LT(enabledInk, 80);
    EXPECT_GT(disabledInk, enabledInk + 40);
}

} // namespace
