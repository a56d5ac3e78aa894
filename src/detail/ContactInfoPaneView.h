#pragma once

#include "table/ContactInfoPane.h"
#include "detail/ContactInfoView.h"

#include <type_traits>

// A contact info view serving as a pane of the window's controller: the
// calls every such pane shares go to the view.
template <typename Pane> class ContactInfoPaneView : public ContactInfoView, public Pane {
    static_assert(std::is_base_of_v<ContactInfoPane, Pane>);

public:
    using ContactInfoView::ContactInfoView;

    void setContact(const PersonRecordPtr &contact) override { ContactInfoView::setContact(contact); }
    [[nodiscard]] PersonRecordPtr contact() const override { return ContactInfoView::contact(); }
    void updateTable() override { ContactInfoView::updateTable(); }
    void setEditState(bool editState) override { ContactInfoView::setEditState(editState); }
    void setSelectedLabels(const QStringList &labels) override { ContactInfoView::setSelectedLabels(labels); }
    void setSelectedFont(const QFont &font) override { ContactInfoView::setSelectedFont(font); }
    bool commitEditing() override { return ContactInfoView::commitEditing(); }
    void discardEditing() override { ContactInfoView::discardEditing(); }
    bool finishValueEditor(EditorEnding ending) override { return ContactInfoView::finishValueEditor(ending); }
    [[nodiscard]] bool hasOpenValueEditor() const override { return ContactInfoView::hasOpenValueEditor(); }
};
