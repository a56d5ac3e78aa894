// The contact commands of the window controller: the QR code of a contact and
// the reformatting of the selected rows' phone numbers.

#include "app/WindowController.h"

#include "find/MergePanelController.h"

#include "detail/ContactDetailPane.h"
#include "table/ContactTablePane.h"
#include "app/ViewController.h"
#include "interchange/widgets/QRCodePanelController.h"
#include "model/ContactIdentifier.h"
#include "model/NormalizePhoneNumber.h"
#include "print/HagakiViewController.h"
#include "platform/UndoManager.h"

#include <QAction>
#include <QMenu>

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

} // namespace

void WindowController::buildContactCommands()
{
    m_phoneFormatMenu = m_editMenu->addMenu(tr("Format Phone Numbers"));
    m_phoneFormatMenu->menuAction()->setObjectName(QStringLiteral("formatPhoneNumbers"));
    for (const PhonePattern &pattern : phonePatterns) {
        const QString title = QString::fromLatin1(pattern.title);
        QAction *item = m_phoneFormatMenu->addAction(title);
        item->setData(title);
        item->setObjectName(QStringLiteral("normalizePhoneNumber"));
        connect(item, &QAction::triggered, this, [this, item] { normalizePhoneNumber(item); });
    }
    connect(m_phoneFormatMenu, &QMenu::aboutToShow, this, &WindowController::validateMenus);
}

// With the detail pane showing, its contact needs a phone; otherwise a row
// must be selected in a view type that shows the "Phone" column. Never while
// the merge sheet is open, nor in a locked window.
bool WindowController::canNormalizePhoneNumber() const
{
    if (!isActiveWindow() || !m_mainViewController || !m_mainViewController->editState())
        return false;
    if (m_mergePanelController && m_mergePanelController->isVisible())
        return false;
    if (m_mainViewController->contactInfoVisible()) {
        const ContactDetailPane *detail = m_mainViewController->contactInfoController();
        return detail && hasPhone(detail->contact());
    }
    const ContactTablePane *table = m_mainViewController->contactsViewController();
    return table && table->selectsContacts(1) && m_viewSettings->selectedColumns().contains(FieldId::Phone);
}

void WindowController::normalizePhoneNumber(const QAction *sender)
{
    ViewController *controller = m_mainViewController;
    const ContactTablePane *table = controller ? controller->contactsViewController() : nullptr;
    if (!table || !sender || !controller->editState())
        return;
    const QString key = sender->data().toString();
    NormalizePhoneNumber normalizer;
    bool changed = false;
    m_undoManager->beginUndoGrouping();
    for (const SubContactRecordPtr &row : table->selectedSubContacts()) {
        if (!row || !row->person)
            continue;
        // The row shows the phone at its label position in the contact's list.
        const LabeledValueRecordPtr phone
            = row->person->labeledValueForIdentifierAtIndex(FieldId::Phone, row->labelIndex);
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
    m_undoManager->endUndoGrouping();
    if (changed) {
        setWindowModified(true);
        controller->updateTableLater();
    }
}

void WindowController::showQRCode()
{
    const ContactTablePane *table = m_mainViewController ? m_mainViewController->contactsViewController() : nullptr;
    const QList<ContactRecordPtr> contacts = table ? table->selectedContacts() : QList<ContactRecordPtr>();
    if (contacts.isEmpty())
        return;
    if (!m_qrCodePanelController)
        m_qrCodePanelController = new QRCodePanelController(this);
    m_qrCodePanelController->setContact(contacts.first());
    m_qrCodePanelController->open();
}
