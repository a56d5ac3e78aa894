#include "app/ZipSheetCommand.h"

#include "app/ViewController.h"
#include "app/WindowCommandHost.h"
#include "interchange/widgets/ZipSheetController.h"
#include "model/ContactIdentifier.h"
#include "model/MVPerson.h"
#include "platform/widgets/DialogAnswer.h"
#include "table/ContactTablePane.h"
#include "table/TableColumn.h"

namespace {

// Copies the parts of a postal-code hit into an address, each only when the
// hit has it; the street takes the hit's town and keeps its house number.
void copyHit(const ZipSearch &search, const PostalRecord &hit, LabeledValueRecord &address)
{
    LabeledValueRecord::AddressParts &parts = *address.address;
    parts.street = search.streetForHit(hit, parts.state, parts.city, parts.street);
    if (!hit.zip.isEmpty())
        parts.zip = hit.zip;
    if (!hit.state.isEmpty())
        parts.state = hit.state;
    if (!hit.city.isEmpty())
        parts.city = hit.city;
}

// The address a Paste adds on the row right after the contact's last one.
LabeledValueRecord newAddress()
{
    LabeledValueRecord added;
    added.label = QStringLiteral("home");
    return added;
}

} // namespace

ZipSheetCommand::ZipSheetCommand(WindowCommandHost &host)
    : QObject(&host.hostWidget())
    , m_host(host)
{
}

ZipSheetController *ZipSheetCommand::zipSheetController() const
{
    return m_zipSheetController;
}

// A copy of the address the row's cells show: one the label filter hides
// is none, as for the cells' own editing.
LabeledValueRecordPtr ZipSheetCommand::shownAddress(const SubContactRecord &row, const QStringList &filter)
{
    const LabeledValueRecordPtr shown
        = TableColumn::shownValueAt(*row.person, FieldId::Address, row.labelIndex, filter);
    return shown ? std::make_shared<LabeledValueRecord>(*shown) : nullptr;
}

// A hit is pasted into the row's shown address, or on the row right after
// the contact's last address into a new one, when that row then shows it.
bool ZipSheetCommand::rowTakesPaste(
    const SubContactRecord &row, const LabeledValueRecordPtr &address, const QStringList &filter)
{
    if (address)
        return true;
    return TableColumn::addedValueLandsAt(*row.person, FieldId::Address, row.labelIndex)
        && TableColumn::passesLabelFilter(newAddress(), filter);
}

void ZipSheetCommand::showZipSheet()
{
    if (!m_zipSheetController) {
        m_zipSheetController = new ZipSheetController(&m_host.hostWidget(), m_postalDatabase);
        DialogAnswer::answerAfterDone(m_zipSheetController, this, [this](int code) { zipSheetDidEnd(code); });
    }
    const ViewController &view = *m_host.mainViewController();
    const ContactTablePane *table = view.contactsViewController();
    const QList<SubContactRecordPtr> rows = table ? table->selectedSubContacts() : QList<SubContactRecordPtr>();
    if (rows.isEmpty()) {
        m_zipSheetController->setTargetString(QString(), ZipSearch::NoSearch);
        return;
    }
    const SubContactRecordPtr &row = rows.first();
    const QStringList filter = table->labelFilter();
    const LabeledValueRecordPtr address = shownAddress(*row, filter);
    if (!address) {
        m_zipSheetController->setTargetString(QString(), ZipSearch::NoSearch);
    } else {
        const LabeledValueRecord::AddressParts parts = address->addressParts();
        const QString stateAndCity = parts.state + parts.city;
        if (!parts.zip.isEmpty() && stateAndCity.isEmpty())
            m_zipSheetController->setTargetString(parts.zip, ZipSearch::PostalCodeSearch);
        else
            m_zipSheetController->setTargetString(stateAndCity, ZipSearch::AddressSearch);
    }
    m_zipSheetController->setPasteAllowed(view.editState() && rowTakesPaste(*row, address, filter));
    m_zipSheetController->open();
}

void ZipSheetCommand::zipSheetDidEnd(int returnCode)
{
    if (returnCode != ZipSheetController::PasteCode || !m_zipSheetController)
        return;
    qint32 mode = ZipSearch::NoSearch;
    const std::optional<PostalRecord> hit = m_zipSheetController->queryResultwithMode(&mode);
    ViewController &view = *m_host.mainViewController();
    const ContactTablePane *table = view.contactsViewController();
    const QList<SubContactRecordPtr> rows = table ? table->selectedSubContacts() : QList<SubContactRecordPtr>();
    if (!hit || rows.isEmpty() || !view.editState())
        return;
    const SubContactRecordPtr &row = rows.first();
    const QStringList filter = table->labelFilter();
    const LabeledValueRecordPtr address = shownAddress(*row, filter);
    if (!rowTakesPaste(*row, address, filter))
        return;
    if (mode != ZipSearch::AddressSearch) {
        if (address) {
            copyHit(*m_zipSheetController, *hit, *address);
            view.undoReplaceValue(*address, FieldId::Address, row);
        } else {
            LabeledValueRecord added = newAddress();
            copyHit(*m_zipSheetController, *hit, added);
            view.undoAddLabeledValue(added, FieldId::Address, row);
        }
    } else {
        // An address search gives only the postal code.
        if (hit->zip.isEmpty() || !address)
            return;
        address->address->zip = hit->zip;
        view.undoReplaceValue(*address, FieldId::Address, row);
    }
    m_host.markEdited();
    view.updateTable();
}
