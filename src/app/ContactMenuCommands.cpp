#include "app/ContactMenuCommands.h"

#include "app/ViewController.h"
#include "app/WindowCommandHost.h"
#include "detail/ContactDetailPane.h"
#include "find/MergePanelController.h"
#include "interchange/widgets/QRCodePanelController.h"
#include "model/ContactIdentifier.h"
#include "model/MVPerson.h"
#include "model/NormalizePhoneNumber.h"
#include "platform/UndoManager.h"
#include "platform/widgets/DialogAnswer.h"
#include "table/ContactTablePane.h"
#include "table/TableColumn.h"

#include <QAction>
#include <QMenu>
#include <QSet>

namespace {

// The items' titles are the patterns themselves and stay untranslated; each
// item's data holds its title as the key the command goes by.
struct PhonePattern {
    const char *title;
    NormalizePhoneNumber::Layout layout;
};

constexpr PhonePattern phonePatterns[] = {
    {"(12) 3456-7890", NormalizePhoneNumber::Layout::FourPlusFour},
    {"(123) 456-7890", NormalizePhoneNumber::Layout::ThreePlusFour},
    {"(1234) 56-7890", NormalizePhoneNumber::Layout::TwoPlusFour},
    {"(12) 34 56 78 90", NormalizePhoneNumber::Layout::QuadTwo},
};

// The number in the pattern a key names; empty for a key that names none.
QString formattedPhone(const NormalizePhoneNumber &normalizer, const QString &key)
{
    for (const PhonePattern &pattern : phonePatterns) {
        if (key != QLatin1StringView(pattern.title))
            continue;
        switch (pattern.layout) {
        case NormalizePhoneNumber::Layout::FourPlusFour:
            return normalizer.fourPlusFour();
        case NormalizePhoneNumber::Layout::ThreePlusFour:
            return normalizer.threePlusFour();
        case NormalizePhoneNumber::Layout::TwoPlusFour:
            return normalizer.twoPlusFour();
        case NormalizePhoneNumber::Layout::QuadTwo:
            return normalizer.quadTwo();
        }
    }
    return {};
}

bool hasPhone(const PersonRecordPtr &contact)
{
    if (!contact || !contact->person)
        return false;
    const LabeledValueListPtr phones = contact->person->phoneValues();
    return phones && !phones->isEmpty();
}

// The selected contacts, each once, in table order: two rows of one contact
// (a contact in two groups) count once.
QList<ContactRecordPtr> distinctContacts(const QList<ContactRecordPtr> &selected)
{
    QList<ContactRecordPtr> contacts;
    QSet<const MVPerson *> persons;
    persons.reserve(selected.size());
    for (const ContactRecordPtr &contact : selected) {
        if (!contact || !contact->person || persons.contains(contact->person.get()))
            continue;
        persons.insert(contact->person.get());
        contacts.append(contact);
    }
    return contacts;
}

} // namespace

ContactMenuCommands::ContactMenuCommands(WindowCommandHost &host)
    : QObject(&host.hostWidget())
    , m_host(host)
{
}

void ContactMenuCommands::addPhoneFormatMenu(QMenu &editMenu)
{
    m_phoneFormatMenu = editMenu.addMenu(tr("Format Phone Numbers"));
    m_phoneFormatMenu->menuAction()->setObjectName(QStringLiteral("formatPhoneNumbers"));
    for (const PhonePattern &pattern : phonePatterns) {
        const QString title = QString::fromLatin1(pattern.title);
        QAction *item = m_phoneFormatMenu->addAction(title);
        item->setData(title);
        item->setObjectName(QStringLiteral("normalizePhoneNumber"));
        connect(item, &QAction::triggered, this, [this, item] { normalizePhoneNumber(item); });
    }
    connect(m_phoneFormatMenu, &QMenu::aboutToShow, this, [this] { m_host.validateMenus(); });
}

void ContactMenuCommands::addContactItems(QMenu &contactMenu)
{
    m_showQRCodeAction = contactMenu.addAction(tr("Show QRCode"), this, &ContactMenuCommands::showQRCode);
    m_showQRCodeAction->setObjectName(QStringLiteral("showQRCode"));
    m_mergeContactsAction = contactMenu.addAction(tr("Merge Contacts"), this, &ContactMenuCommands::mergeContacts);
    m_mergeContactsAction->setObjectName(QStringLiteral("mergeContacts"));
}

QRCodePanelController *ContactMenuCommands::qrCodePanelController() const
{
    return m_qrCodePanelController;
}

MergePanelController *ContactMenuCommands::mergePanelController() const
{
    return m_mergePanelController;
}

bool ContactMenuCommands::isMergeSheetOpen() const
{
    return m_mergePanelController && m_mergePanelController->isVisible();
}

bool ContactMenuCommands::canNormalizePhoneNumber() const
{
    const ViewController *view = m_host.mainViewController();
    if (!m_host.hostWidget().isActiveWindow() || !view || !view->editState() || isMergeSheetOpen())
        return false;
    if (view->contactInfoVisible()) {
        const ContactDetailPane *detail = view->contactInfoController();
        return detail && hasPhone(detail->contact());
    }
    const ContactTablePane *table = view->contactsViewController();
    const ViewSettings *settings = view->viewSettings();
    return table && table->selectsContacts(1) && settings && settings->selectedColumns().contains(FieldId::Phone);
}

void ContactMenuCommands::normalizePhoneNumber(const QAction *sender)
{
    ViewController *controller = m_host.mainViewController();
    const ContactTablePane *table = controller ? controller->contactsViewController() : nullptr;
    if (!table || !sender || !controller->editState())
        return;
    const QString key = sender->data().toString();
    NormalizePhoneNumber normalizer;
    bool changed = false;
    UndoManager &undoManager = *controller->undoManager();
    const QStringList filter = table->labelFilter();
    undoManager.beginUndoGrouping();
    for (const SubContactRecordPtr &row : table->selectedSubContacts()) {
        if (!row || !row->person)
            continue;
        // Only the phone the row's cell shows: one the label filter hides
        // there is no phone of that row.
        const LabeledValueRecordPtr phone
            = TableColumn::shownValueAt(*row->person, FieldId::Phone, row->labelIndex, filter);
        if (!phone)
            continue;
        normalizer.setPhoneNumber(phone->valueText());
        const QString result = formattedPhone(normalizer, key);
        if (result.isEmpty() || result == phone->valueText())
            continue;
        LabeledValueRecord formatted = *phone;
        formatted.value = result;
        changed = controller->undoReplaceValue(formatted, FieldId::Phone, row) || changed;
    }
    undoManager.endUndoGrouping();
    if (changed) {
        m_host.markEdited();
        controller->updateTableLater();
    }
}

void ContactMenuCommands::showQRCode()
{
    const ViewController *view = m_host.mainViewController();
    const ContactTablePane *table = view ? view->contactsViewController() : nullptr;
    const QList<ContactRecordPtr> contacts = table ? table->selectedContacts() : QList<ContactRecordPtr>();
    if (contacts.isEmpty())
        return;
    if (!m_qrCodePanelController)
        m_qrCodePanelController = new QRCodePanelController(&m_host.hostWidget());
    m_qrCodePanelController->setContact(contacts.first());
    m_qrCodePanelController->open();
}

bool ContactMenuCommands::canMergeContacts() const
{
    if (isMergeSheetOpen())
        return false;
    const ViewController *view = m_host.mainViewController();
    const ContactTablePane *table = view ? view->contactsViewController() : nullptr;
    return table && table->selectsContacts(2);
}

void ContactMenuCommands::mergeContacts()
{
    ViewController *view = m_host.mainViewController();
    const ContactTablePane *table = view ? view->contactsViewController() : nullptr;
    if (!table)
        return;
    const QList<ContactRecordPtr> contacts = distinctContacts(table->selectedContacts());
    if (contacts.size() < 2)
        return;
    if (!m_mergePanelController) {
        m_mergePanelController = new MergePanelController(&m_host.hostWidget());
        DialogAnswer::answerAfterDone(m_mergePanelController, this, [this](int result) { mergeDidEnd(result); });
    }
    if (m_mergePanelController->isVisible()) {
        m_mergePanelController->done(0);
        return;
    }
    auto context = std::make_shared<MergeContextInfo>();
    context->contacts = contacts.mid(0, 2);
    m_mergePanelController->setContextInfo(context, view->editState());
    m_mergePanelController->setSelectedFont(view->selectedFont());
    m_mergePanelController->open();
    m_host.validateMenus();
}

void ContactMenuCommands::mergeDidEnd(int result)
{
    m_host.validateMenus();
    const MergeContextInfoPtr context = m_mergePanelController ? m_mergePanelController->contextInfo() : nullptr;
    ViewController *view = m_host.mainViewController();
    if (result != 1 || !context || context->newContacts.size() < 2 || !view)
        return;
    const QList<PersonRecordPtr> newContacts(context->newContacts.cbegin(), context->newContacts.cend());
    const QList<PersonRecordPtr> contacts(context->contacts.cbegin(), context->contacts.cend());
    view->contactOperations().undoReplacePersonByContacts(newContacts, contacts);
    m_host.markEdited();
    if (ContactTablePane *table = view->contactsViewController())
        table->updateTable();
}
