// How ViewController comes up with its window: the preference reset, the view
// settings, the font, the paper and print style, the busy indicator of the
// first load, the validation of its menu items and the layouts edited in the
// preview.

#include "app/ViewController.h"

#include "platform/widgets/AlertPresenter.h"
#include "detail/ContactDetailPane.h"
#include "table/ContactTablePane.h"
#include "table/GroupOutlinePane.h"
#include "find/FindBarPane.h"
#include "app/PostcardLayoutView.h"
#include "app/PostcardPreviewPane.h"
#include "app/WindowController.h"
#include "model/ContactIdentifier.h"
#include "platform/UndoManager.h"
#include "platform/UserDefaults.h"
#include "print/PrintInfo.h"

#include <QAction>
#include <QEvent>
#include <QFontDialog>
#include <QGuiApplication>
#include <QProgressBar>
#include <QSplitter>

namespace {

std::function<Qt::KeyboardModifiers()> &modifiersSource()
{
    static std::function<Qt::KeyboardModifiers()> source;
    return source;
}

Qt::KeyboardModifiers modifiersHeld()
{
    return modifiersSource() ? modifiersSource()() : QGuiApplication::queryKeyboardModifiers();
}

// The paper of the print style: postcards for "Hagaki", the paper of the
// other styles otherwise.
void preparePrintInfo(const QString &printStyle)
{
    const bool postcards = printStyle == QStringLiteral("Hagaki");
    PrintInfo::sharedPrintInfo()->changePaperForStyle(postcards, postcards);
}

QList<SubContactRecordPtr> rowsOf(const ContactTable &contacts)
{
    QList<SubContactRecordPtr> rows;
    rows.reserve(contacts.size());
    for (const ContactRecordPtr &contact : contacts)
        rows.append(std::make_shared<SubContactRecord>(contact->person, contact->uniqueId, contact->labelIndex));
    return rows;
}

} // namespace

void ViewController::setKeyboardModifiersSource(std::function<Qt::KeyboardModifiers()> source)
{
    modifiersSource() = std::move(source);
}

ViewSettings *ViewController::viewSettings() const
{
    return m_windowController ? m_windowController->viewSettings() : nullptr;
}

UserDefaults &ViewController::userDefaults() const
{
    return m_windowController ? m_windowController->userDefaults() : UserDefaults::standardUserDefaults();
}

void ViewController::viewDidLoad()
{
    m_newWindow = false;
    resetPreferencesWhenAsked();
    m_settings = MainViewDefaults::readAndRepair(userDefaults());
    if (ViewSettings *settings = viewSettings())
        m_settings.assignViewSettings(*settings);
    preparePrintInfo(m_settings.printStyle);
    setEditState(true);
    observeLayoutNotifications();
    makeProgressIndicator();
}

void ViewController::resetPreferencesWhenAsked()
{
    constexpr Qt::KeyboardModifiers all = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    if ((modifiersHeld() & all) != all || !m_windowController)
        return;
    const int answer = m_windowController->alertPresenter().runModalAlert(
        m_windowController, QString(), tr("Would you like to restore default preferences?"), {tr("OK"), tr("Cancel")});
    if (answer != AlertPresenter::FirstButtonReturn)
        return;
    userDefaults().removePersistentDomain();
    m_newWindow = true;
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

void ViewController::viewWillAppear()
{
    if (m_windowController) {
        QSplitter *split = m_windowController->splitView();
        split->widget(0)->setFixedWidth(290);
        split->widget(2)->setMinimumWidth(350);
        split->widget(2)->setMaximumWidth(550);
    }
    setFont(MainViewDefaults::storedFont(userDefaults(), m_documentName));
    setEditState(true);
    const QStringList labels = viewSettings() ? viewSettings()->selectedLabels() : m_settings.selectedLabels;
    if (m_contactsViewController)
        m_contactsViewController->setSelectedLabels(labels);
    if (m_contactInfoController)
        m_contactInfoController->setSelectedLabels(labels);
    m_contactInfoVisible = false;
    if (m_contactTable && m_contactsViewController) {
        m_contactsViewController->setContactTable(m_contactTable);
        if (m_contactInfoController && !m_contactTable->isEmpty())
            m_contactInfoController->setContact(m_contactTable->first());
        m_contactsViewController->updateTable();
        m_contactsViewController->makeFirstResponder();
    }
    if (m_windowController) {
        m_windowController->showContactInfo(false);
        m_windowController->setFrameAutosaveName(
            m_documentName.isEmpty() ? QStringLiteral("AddressBook") : m_documentName);
    }
    if (m_hagakiViewController) {
        if (m_contactTable && !m_contactTable->isEmpty())
            m_hagakiViewController->setReceiverPersons(rowsOf(*m_contactTable));
        m_hagakiViewController->setSelectedStyle(m_settings.printStyle);
        if (PostcardLayoutView *view = m_hagakiViewController->hagakiView())
            view->setPrintInfo(PrintInfo::sharedPrintInfo());
    }
    if (m_newWindow && m_windowController)
        m_windowController->placeAtFirstRunFrame();
    if (m_findBarController)
        m_findBarController->setVisible(false);
}

void ViewController::setRepresentedObject(const QVariant & /*representedObject*/)
{
    showGroupOutline(true);
    if (m_contactsViewController)
        m_contactsViewController->showContactTable(
            m_contactTable, {MainViewDefaults::lastSortDescriptor(userDefaults())});
    // The group pane's key is written at the first run only.
    if (!userDefaults().objectForKey(MainViewDefaults::showGroupViewKey).isValid()) {
        if (m_windowController)
            m_windowController->placeAtFirstRunFrame();
        userDefaults().setObject(true, MainViewDefaults::showGroupViewKey);
        if (m_windowController)
            m_windowController->showGroupView(true);
    }
    if (m_findBarController)
        m_findBarController->setVisible(false);
    refreshPrintStyle(m_settings.printStyle);
    if (m_contactsViewController)
        m_contactsViewController->makeFirstResponder();
}

void ViewController::viewWillDisappear()
{
    MainViewDefaults::storeFont(m_selectedFont, userDefaults(), m_documentName);
}

// --- Fonts ------------------------------------------------------------------

void ViewController::setFont(const std::optional<QFont> &font)
{
    if (!font)
        return;
    m_selectedFont = *font;
    if (m_contactsViewController)
        m_contactsViewController->setSelectedFont(m_selectedFont);
    if (m_contactInfoController)
        m_contactInfoController->setSelectedFont(m_selectedFont);
    if (m_groupViewController)
        m_groupViewController->setSelectedFont(m_selectedFont);
}

void ViewController::changeFont(const QFont &font)
{
    setFont(font);
}

void ViewController::revertToDefaultFont()
{
    const QFont systemFont = MainViewDefaults::systemFont();
    if (m_selectedFont != systemFont)
        setFont(systemFont);
}

void ViewController::showFontPanel()
{
    if (!m_windowController)
        return;
    if (!m_fontPanel) {
        m_fontPanel = new QFontDialog(m_windowController);
        connect(m_fontPanel, &QFontDialog::fontSelected, this, &ViewController::changeFont);
    }
    m_fontPanel->setCurrentFont(m_selectedFont);
    m_fontPanel->open();
}

// --- The first load ------------------------------------------------------------

void ViewController::makeProgressIndicator()
{
    if (!m_windowController || m_progressIndicator)
        return;
    // A child of the window, not of the split view, which would take it for
    // a pane.
    m_progressIndicator = new QProgressBar(m_windowController);
    m_progressIndicator->setObjectName(QStringLiteral("progressIndicator"));
    m_progressIndicator->setRange(0, 0);
    m_progressIndicator->setTextVisible(false);
    m_progressIndicator->hide();
    m_windowController->splitView()->installEventFilter(this);
    m_windowController->splitView()->widget(1)->installEventFilter(this);
}

void ViewController::placeProgressIndicator()
{
    if (!m_progressIndicator || !m_windowController)
        return;
    const QWidget *pane = m_windowController->splitView()->widget(1);
    const QRect area(pane->mapTo(m_windowController, QPoint(0, 0)), pane->size());
    const int width = std::min(240, std::max(area.width() - 40, 40));
    const int height = m_progressIndicator->sizeHint().height();
    m_progressIndicator->setGeometry(
        area.x() + (area.width() - width) / 2, area.y() + (area.height() - height) / 2, width, height);
}

bool ViewController::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && m_progressIndicator && m_progressIndicator->isVisible())
        placeProgressIndicator();
    return QObject::eventFilter(watched, event);
}

void ViewController::setAddressBookLoading(bool loading)
{
    m_isAddressBookLoading.store(loading);
    if (!m_progressIndicator)
        return;
    if (loading) {
        placeProgressIndicator();
        m_progressIndicator->show();
        m_progressIndicator->raise();
    } else {
        m_progressIndicator->hide();
    }
}

// --- The print style ---------------------------------------------------------------

void ViewController::refreshPrintStyle(const QString &previousStyle)
{
    const QString postcards = QStringLiteral("Hagaki");
    const PrintInfoPtr &printInfo = PrintInfo::sharedPrintInfo();
    printInfo->changePaperForStyle(previousStyle == postcards, m_settings.printStyle == postcards);
    if (m_windowController)
        m_windowController->shouldChangePrintInfo(printInfo);
    if (m_hagakiViewController) {
        m_hagakiViewController->setSelectedStyle(m_settings.printStyle);
        m_hagakiViewController->updateUI();
    }
}

// --- Menus ---------------------------------------------------------------------

bool ViewController::validateMenuItem(QAction *item) const
{
    const QString action = item->objectName();
    const UndoManager *manager = undoManager();
    // A locked window changes no contact, not even back: a CSV document's
    // records and a window locked for printing stay as they are shown.
    if (action == QStringLiteral("undo"))
        return m_editState && manager && manager->canUndo();
    if (action == QStringLiteral("redo"))
        return m_editState && manager && manager->canRedo();
    if (action == QStringLiteral("findBarButtonClicked")) {
        item->setText(m_findBarController && m_findBarController->isVisible() ? tr("✓Find") : tr("Find"));
        return true;
    }
    if (action == QStringLiteral("deleteContacts") || action == QStringLiteral("duplicateContacts"))
        return m_editState && m_contactsViewController && !m_contactsViewController->selectedRowIndexes().isEmpty();
    if (action == QStringLiteral("showContact") || action == QStringLiteral("addContact"))
        return m_editState;
    return true;
}

// --- Layout edited in the preview ------------------------------------------------

void ViewController::handleNotifications(const NotificationCenter::Notification &notification)
{
    PostcardLayoutView *view = m_hagakiViewController ? m_hagakiViewController->hagakiView() : nullptr;
    if (!view || dynamic_cast<PostcardLayoutView *>(notification.objectPointer()) != view)
        return;
    if (notification.name == PostcardLayoutView::textObjectChangedForReceiver) {
        storeLayout(view->shownReceiver());
    } else if (notification.name == PostcardLayoutView::textObjectChangedForSender) {
        storeLayout(view->senderPerson());
    }
}

// The layout edited on the print value goes into the contact's layout list
// and into the address it belongs to, through the table row the value was
// made from; both stores fall into the one undo step of this turn.
void ViewController::storeLayout(const PrintContactRecordPtr &printed)
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
    undoReplaceValue(layout, FieldId::HagakiLayout, row);
    LabeledValueRecord changed = *address;
    changed.layout = edited;
    undoReplaceValue(changed, FieldId::Address, row);
    setWindowEdited(true);
}
