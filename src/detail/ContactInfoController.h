#pragma once

#include "detail/ContactDetailPane.h"
#include "detail/ContactInfoPaneView.h"

// The detail pane of a contact window: the contact of the table's selected
// row, field by field. Its edits go to the window's controller and mark its
// own window edited.
class ContactInfoController : public ContactInfoPaneView<ContactDetailPane> {
    Q_OBJECT

public:
    explicit ContactInfoController(QWidget *parent = nullptr);

    // The pane's rule: the font's line height, or 1.42 × its size and 4
    // more when that is taller; never below 24.
    [[nodiscard]] static double rowHeightFor(double pointSize, double lineHeight);
    [[nodiscard]] double rowHeightForFont(const QFont &font) const override;

    void setDelegate(ContactInfoControllerDelegate *delegate) override { setInfoDelegate(delegate); }
    [[nodiscard]] QTableView *tableView() override { return this; }
    void setFindString(const QString &findString) override { ContactInfoView::setFindString(findString); }
    void setFindOptions(const QString &findOptions) override { ContactInfoView::setFindOptions(findOptions); }
    void selectItemAndRange(const ItemAndRangeRecordPtr &hit) override { ContactInfoView::selectItemAndRange(hit); }

protected:
    void markWindowEdited() override;
    void popupChoiceDidApply(int row) override;
};
