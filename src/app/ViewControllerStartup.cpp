// How ViewController comes up with its window: the print style and its
// paper, and the layouts edited in the preview.

#include "app/ViewController.h"

#include "app/ContactTablePane.h"
#include "app/WindowController.h"
#include "model/ContactIdentifier.h"
#include "platform/UserDefaults.h"
#include "print/PostcardPreviewPane.h"
#include "print/PrintInfo.h"
#include "print/PrintOptions.h"

namespace {

// The paper of the print style: postcards for "Hagaki", letters otherwise.
void preparePrintInfo(const QString &printStyle)
{
    const PrintInfoPtr &printInfo = PrintInfo::sharedPrintInfo();
    printInfo->setPaperName(
        printStyle == QStringLiteral("Hagaki") ? QStringLiteral("Postcard") : QStringLiteral("Letter"));
    printInfo->setOrientation(QPageLayout::Portrait);
}

} // namespace

void ViewController::viewDidLoad()
{
    UserDefaults &defaults
        = m_windowController ? m_windowController->userDefaults() : UserDefaults::standardUserDefaults();
    m_printStyle = defaults.stringForKey(PrintOptions::printStyleKey);
    if (m_printStyle.isEmpty()) {
        m_printStyle = QStringLiteral("Hagaki");
        defaults.setObject(m_printStyle, PrintOptions::printStyleKey);
    }
    preparePrintInfo(m_printStyle);
    observeLayoutNotifications();
}

void ViewController::setRepresentedObject(const QVariant & /*representedObject*/)
{
    showGroupOutline(true);
    if (m_contactsViewController) {
        m_contactsViewController->setContactTable(m_contactTable);
        m_contactsViewController->updateTable();
    }
    preparePrintInfo(m_printStyle);
    if (m_windowController)
        m_windowController->shouldChangePrintInfo(PrintInfo::sharedPrintInfo());
    if (m_hagakiViewController) {
        m_hagakiViewController->setSelectedStyle(m_printStyle);
        m_hagakiViewController->updateUI();
    }
}

void ViewController::observeLayoutNotifications()
{
    NotificationCenter &center = NotificationCenter::defaultCenter();
    for (const QString &name :
        {PostcardLayoutView::textObjectChangedForReceiver, PostcardLayoutView::textObjectChangedForSender}) {
        center.addObserver(this, name, QVariant(),
            [this](const NotificationCenter::Notification &notification) { handleNotifications(notification); });
    }
}

// --- Layout edited in the preview ------------------------------------------------

void ViewController::handleNotifications(const NotificationCenter::Notification &notification)
{
    PostcardLayoutView *view = m_hagakiViewController ? m_hagakiViewController->hagakiView() : nullptr;
    if (!view || dynamic_cast<PostcardLayoutView *>(notification.objectPointer()) != view)
        return;
    if (notification.name == PostcardLayoutView::textObjectChangedForReceiver) {
        const QList<SubContactRecordPtr> receivers = view->receiverPersons();
        if (!receivers.isEmpty())
            storeLayout(receivers.first());
    } else if (notification.name == PostcardLayoutView::textObjectChangedForSender) {
        storeLayout(view->senderPerson());
    }
}

// The layout goes into the contact's layout list and into the address it
// belongs to; both stores fall into the one undo step of this turn.
void ViewController::storeLayout(const SubContactRecordPtr &row)
{
    if (!row || !row->person || !row->layoutDict)
        return;
    MVPerson &person = *row->person;
    const LabeledValueRecordPtr address = person.labeledValueForIdentifierAtIndex(FieldId::Address, row->labelIndex);
    if (!address)
        return;
    const HagakiLayoutFields &edited = row->layoutDict->layout;
    auto layout = std::make_shared<HagakiLayoutRecord>();
    static_cast<HagakiLayoutFields &>(*layout) = edited;
    layout->labelIndex = address->labelIndex;
    layout->label = address->label;
    person.updateHagakiLayout(layout.get());
    undoReplaceValue(layout, FieldId::HagakiLayout, row);
    LabeledValueRecord changed = *address;
    changed.layout = edited;
    undoReplaceValue(changed, FieldId::Address, row);
    setWindowEdited(true);
}
