#include "app/PreviewLayoutEdits.h"

#include "app/ContactOperations.h"
#include "model/ContactIdentifier.h"
#include "model/MVPerson.h"
#include "platform/NotificationCenter.h"
#include "print/PostcardLayoutView.h"

#include <utility>

PreviewLayoutEdits::PreviewLayoutEdits(
    ContactOperations &operations, ShownView shownView, std::function<void()> markEdited, QObject *parent)
    : QObject(parent)
    , m_operations(operations)
    , m_shownView(std::move(shownView))
    , m_markEdited(std::move(markEdited))
{
    // Every window's view posts; only this window's own is heard.
    const auto handle = [this](const NotificationCenter::Notification &notification) {
        PostcardLayoutView *view = m_shownView();
        if (!view || dynamic_cast<PostcardLayoutView *>(notification.objectPointer()) != view)
            return;
        if (notification.name == PostcardLayoutView::textObjectChangedForReceiver)
            storeLayout(view->shownReceiver());
        else if (notification.name == PostcardLayoutView::textObjectChangedForSender)
            storeLayout(view->senderPerson());
    };
    NotificationCenter &center = NotificationCenter::defaultCenter();
    for (const QString &name :
        {PostcardLayoutView::textObjectChangedForReceiver, PostcardLayoutView::textObjectChangedForSender})
        center.addObserver(this, name, QVariant(), handle);
}

// The layout edited on the print value goes into the contact's layout list
// and into the address it belongs to, through the table row the value was
// made from; both stores fall into the one undo step of this turn.
void PreviewLayoutEdits::storeLayout(const PrintContactRecordPtr &printed)
{
    if (!printed || !printed->layoutDict)
        return;
    const SubContactRecordPtr &row = printed->source;
    if (!row || !row->person)
        return;
    MVPerson &person = *row->person;
    const LabeledValueRecordPtr address = person.labeledValueForIdentifierAtIndex(FieldId::Address, row->labelIndex);
    if (!address)
        return;
    const HagakiLayoutFields &edited = *std::as_const(printed->layoutDict->layout);
    auto layout = std::make_shared<HagakiLayoutRecord>();
    static_cast<HagakiLayoutFields &>(*layout) = edited;
    layout->labelIndex = address->labelIndex;
    layout->label = address->label;
    person.updateHagakiLayout(layout.get());
    m_operations.undoReplaceValue(layout, FieldId::HagakiLayout, row);
    LabeledValueRecord changed = *address;
    changed.layout = edited;
    m_operations.undoReplaceValue(changed, FieldId::Address, row);
    m_markEdited();
}
