// The context menu's item commands of a contact's details: adding and
// deleting values, the photo row's height, and the values handed to other
// applications.

#include "detail/ContactInfoRowCommands.h"

#include "detail/ContactInfoControllerDelegate.h"
#include "detail/ContactInfoView.h"
#include "detail/DetailContextMenu.h"
#include "detail/DetailRowKinds_p.h"
#include "detail/DetailWorkspace.h"
#include "detail/ValueEditorHandOff.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"

using namespace FieldId;

namespace {

constexpr int smallestIconRowCount = 1;
constexpr int largestIconRowCount = 20;

} // namespace

void ContactInfoRowCommands::addLabeledValue(const LabeledValueRecord &value, const ContactIdentifier &type)
{
    if (!m_view->infoDelegate() || !m_view->contact())
        return;
    undoAddLabeledValue(value, type, m_view->contact());
    contactDidChange();
}

void ContactInfoRowCommands::addItem(int row)
{
    m_view->selectRows({row});
    const ContactIdentifier type = m_view->infoModel()->rowAt(row).type;
    const PersonRecordPtr contact = m_view->contact();
    const QRect rect = cellRect(row);
    if (type == Address || FieldVocabulary::shared().addressIdentifiers().contains(type))
        m_handOff->showAddressPopover(contact, Address, -1, rect);
    else if (type == SocialNetwork)
        m_handOff->showSNSPopover(contact, type, -1, rect);
    else if (type == InstantMessage)
        m_handOff->showIMSPopover(contact, type, -1, rect);
    else if (type == Dates || type == Birthday)
        m_handOff->showDatePopover(contact, type, -1, rect);
    else if (const std::optional<LabeledValueRecord> item = DetailContextMenu::newItemFor(type))
        addLabeledValue(*item, type);
    else if (DetailRowKinds::isStringType(type) && m_view->replaceValue(QStringLiteral("new"), type))
        contactDidChange();
}

void ContactInfoRowCommands::deleteItem(int row)
{
    m_view->selectRows({row});
    const InfoRowRecord record = m_view->infoModel()->rowAt(row);
    MVPerson *person = m_view->infoModel()->person();
    ContactInfoControllerDelegate *delegate = m_view->infoDelegate();
    if (!person || !delegate)
        return;
    bool changed = false;
    if (DetailRowKinds::isLabeled(record.type)) {
        const LabeledValueRecordPtr value
            = person->labeledValueForIdentifierAtLabelIndex(record.type, record.labelIndex.value_or(0));
        if (!value)
            return;
        const ChangeSenderScope scope(delegate, m_view);
        delegate->undoDeleteLabeledValue(*value, record.type, m_view->contact());
        changed = true;
    } else if (record.type == Birthday || record.type == PhoneticName) {
        changed = m_view->replaceValue(PersonValue(), record.type);
    } else if (DetailRowKinds::isStringType(record.type)) {
        changed = m_view->replaceValue(QString(), record.type);
    }
    if (changed)
        contactDidChange();
}

void ContactInfoRowCommands::changeIconRowCount(int step)
{
    const int count = std::clamp(m_view->iconRowCount() + step, smallestIconRowCount, largestIconRowCount);
    const QList<int> rows = m_view->selectedRows();
    m_view->setIconRowCount(count);
    m_view->reloadSelecting(rows);
}

// --- Values handed to other applications -----------------------------------------

void ContactInfoRowCommands::openInWorkspace(const QString &key, int row)
{
    MVPerson *person = m_view->infoModel()->person();
    if (!person)
        return;
    const InfoRowRecord &record = m_view->infoModel()->rowAt(row);
    DetailWorkspace::open(key, person->stringValueForIdentifier(record.type, record.labelIndex.value_or(0)), m_view);
}
