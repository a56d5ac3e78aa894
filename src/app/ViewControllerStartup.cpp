// How ViewController comes up with its window: the preference reset, the view
// settings, the font, the paper and print style, the busy indicator of the
// first load and the validation of its menu items.

#include "app/ViewController.h"

#include "platform/widgets/AlertPresenter.h"
#include "detail/ContactDetailPane.h"
#include "table/ContactTablePane.h"
#include "table/GroupOutlinePane.h"
#include "find/FindBarPane.h"
#include "print/PostcardLayoutView.h"
#include "print/PostcardPreviewPane.h"
#include "app/LoadingIndicator.h"
#include "app/PreviewLayoutEdits.h"
#include "app/WindowController.h"
#include "model/ContactIdentifier.h"
#include "platform/UndoManager.h"
#include "platform/UserDefaults.h"
#include "print/PrintInfo.h"
#include "app/PrintCommands.h"

#include <QAction>
#include <QFontDialog>
#include <QGuiApplication>
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
    if (!m_layoutEdits) {
        m_layoutEdits = std::make_unique<PreviewLayoutEdits>(
            *m_operations, [this] { return m_previewPane ? m_previewPane->hagakiView() : nullptr; },
            [this] { setWindowEdited(true); });
    }
    if (m_windowController)
        m_loadingIndicator->attach(m_windowController, m_windowController->splitView());
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
    if (m_tablePane)
        m_tablePane->setSelectedLabels(labels);
    if (m_detailPane)
        m_detailPane->setSelectedLabels(labels);
    m_contactInfoVisible = false;
    if (m_contactTable && m_tablePane) {
        m_tablePane->setContactTable(m_contactTable);
        if (m_detailPane && !m_contactTable->isEmpty())
            m_detailPane->setContact(m_contactTable->first());
        m_tablePane->updateTable();
        m_tablePane->makeFirstResponder();
    }
    if (m_windowController) {
        m_windowController->showContactInfo(false);
        m_windowController->setFrameAutosaveName(
            m_documentName.isEmpty() ? QStringLiteral("AddressBook") : m_documentName);
    }
    if (m_previewPane) {
        if (m_contactTable && !m_contactTable->isEmpty())
            m_previewPane->setReceiverPersons(rowsOf(*m_contactTable));
        m_previewPane->setSelectedStyle(m_settings.printStyle);
        if (PostcardLayoutView *view = m_previewPane->hagakiView())
            view->setPrintInfo(PrintInfo::sharedPrintInfo());
    }
    if (m_newWindow && m_windowController)
        m_windowController->placeAtFirstRunFrame();
    if (m_findBarPane)
        m_findBarPane->setVisible(false);
}

void ViewController::setRepresentedObject(const QVariant & /*representedObject*/)
{
    showGroupOutline(true);
    if (m_tablePane)
        m_tablePane->showContactTable(m_contactTable, {MainViewDefaults::lastSortDescriptor(userDefaults())});
    // The group pane's key is written at the first run only.
    if (!userDefaults().objectForKey(MainViewDefaults::showGroupViewKey).isValid()) {
        if (m_windowController)
            m_windowController->placeAtFirstRunFrame();
        userDefaults().setObject(true, MainViewDefaults::showGroupViewKey);
        if (m_windowController)
            m_windowController->showGroupView(true);
    }
    if (m_findBarPane)
        m_findBarPane->setVisible(false);
    refreshPrintStyle(m_settings.printStyle);
    if (m_tablePane)
        m_tablePane->makeFirstResponder();
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
    if (m_tablePane)
        m_tablePane->setSelectedFont(m_selectedFont);
    if (m_detailPane)
        m_detailPane->setSelectedFont(m_selectedFont);
    if (m_groupOutlinePane)
        m_groupOutlinePane->setSelectedFont(m_selectedFont);
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

void ViewController::setAddressBookLoading(bool loading)
{
    m_loadingIndicator->setLoading(loading);
}

bool ViewController::isAddressBookLoading() const
{
    return m_loadingIndicator->isLoading();
}

QProgressBar *ViewController::progressIndicator() const
{
    return m_loadingIndicator->progressBar();
}

// --- The print style ---------------------------------------------------------------

void ViewController::refreshPrintStyle(const QString &previousStyle)
{
    const QString postcards = QStringLiteral("Hagaki");
    const PrintInfoPtr &printInfo = PrintInfo::sharedPrintInfo();
    printInfo->changePaperForStyle(previousStyle == postcards, m_settings.printStyle == postcards);
    if (m_windowController)
        m_windowController->printCommands()->shouldChangePrintInfo(printInfo);
    if (m_previewPane) {
        m_previewPane->setSelectedStyle(m_settings.printStyle);
        m_previewPane->updateUI();
    }
}

// --- Menus ---------------------------------------------------------------------

bool ViewController::validateMenuItem(QAction *item) const
{
    const QString action = item->objectName();
    if (action == QStringLiteral("undo"))
        return canUndo();
    if (action == QStringLiteral("redo"))
        return canRedo();
    if (action == QStringLiteral("findBarButtonClicked")) {
        item->setText(m_findBarPane && m_findBarPane->isVisible() ? tr("✓Find") : tr("Find"));
        return true;
    }
    if (action == QStringLiteral("deleteContacts") || action == QStringLiteral("duplicateContacts"))
        return m_editState && m_tablePane && !m_tablePane->selectedRowIndexes().isEmpty();
    if (action == QStringLiteral("showContact") || action == QStringLiteral("addContact"))
        return m_editState;
    return true;
}
