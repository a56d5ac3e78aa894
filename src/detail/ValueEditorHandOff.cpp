#include "detail/ValueEditorHandOff.h"

#include "detail/ValueEditorHost.h"
#include "editors/AddressViewController.h"
#include "editors/DateViewController.h"
#include "editors/DatesViewController.h"
#include "editors/IMSViewController.h"
#include "editors/MultiValueViewController.h"
#include "editors/PopoverContextInfo.h"
#include "editors/RenmeiViewController.h"
#include "editors/SNSViewController.h"
#include "editors/ValueEditorResult.h"
#include "model/AddressText.h"
#include "model/MVPerson.h"
#include "platform/widgets/Popover.h"

#include <QAbstractItemView>

using namespace FieldId;

struct ValueEditorHandOff::Opening {
    PopoverContextInfoPtr context;
    QSize size;
    Popover::Behavior behavior = Popover::Behavior::Transient;
    QRect rect;
};

namespace {

PopoverContextInfoPtr contextFor(const PersonRecordPtr &contact, const ContactIdentifier &type)
{
    auto context = std::make_shared<PopoverContextInfo>();
    context->contact = contact;
    context->type = type;
    return context;
}

QSize multiValueSize(const ContactIdentifier &type)
{
    if (type == Address)
        return {820, 260};
    if (type == InstantMessage)
        return {460, 260};
    if (type == SocialNetwork)
        return {680, 260};
    return {360, 260};
}

// A new address as the editor expects it: a placeholder postal code, the
// address text made from it, labelled "home".
LabeledValueRecordPtr newAddress()
{
    auto address = std::make_shared<LabeledValueRecord>();
    address->address->zip = QStringLiteral("123");
    AddressText::updateAddressValue(address.get(), 3);
    address->label = QStringLiteral("home");
    address->labelIndex = -1;
    return address;
}

} // namespace

ValueEditorHandOff::ValueEditorHandOff(ValueEditorHost *host, IndexKind indexKind, QObject *parent)
    : QObject(parent)
    , m_host(host)
    , m_indexKind(indexKind)
{
}

ValueEditorHandOff::~ValueEditorHandOff()
{
    // The popover outlives no host: its result would have no one to go to.
    if (m_popover) {
        disconnect(m_popover, nullptr, this, nullptr);
        m_popover->close();
        m_popover->deleteLater();
    }
}

ValueEditor *ValueEditorHandOff::editor() const
{
    return m_popover ? qobject_cast<ValueEditor *>(m_popover->contentWidget()) : nullptr;
}

bool ValueEditorHandOff::finishEditor(EditorEnding ending)
{
    ValueEditor *shown = m_popover && m_popover->isShown() ? editor() : nullptr;
    return !shown || shown->finish(ending);
}

qint64 ValueEditorHandOff::labelIndexOf(
    const PersonRecordPtr &contact, const ContactIdentifier &type, qint64 index) const
{
    if (m_indexKind == IndexKind::LabelIndex || index < 0)
        return index;
    const LabeledValueRecordPtr value
        = contact && contact->person ? contact->person->labeledValueForIdentifierAtIndex(type, index) : nullptr;
    return value ? value->labelIndex : -1;
}

void ValueEditorHandOff::showMultiValuePopover(
    const PersonRecordPtr &contact, const ContactIdentifier &type, qint64 index, const QRect &rect)
{
    Opening opening{contextFor(contact, type), multiValueSize(type), Popover::Behavior::Semitransient, rect};
    opening.context->editEnabled = true;
    if (m_indexKind == IndexKind::LabelIndex)
        opening.context->labelIndex = index;
    show(new MultiValueViewController, opening);
}

void ValueEditorHandOff::showAddressPopover(
    const PersonRecordPtr &contact, const ContactIdentifier &type, qint64 index, const QRect &rect)
{
    Opening opening{contextFor(contact, type), m_host->addressEditorSize(), Popover::Behavior::Transient, rect};
    LabeledValueRecordPtr address;
    if (index >= 0 && contact && contact->person) {
        address = m_indexKind == IndexKind::LabelIndex
            ? contact->person->labeledValueForIdentifierAtLabelIndex(Address, index)
            : contact->person->labeledValueForIdentifierAtIndex(Address, index);
    }
    opening.context->labeledValue = address ? address : newAddress();
    show(new AddressViewController, opening);
}

void ValueEditorHandOff::showIMSPopover(
    const PersonRecordPtr &contact, const ContactIdentifier &type, qint64 index, const QRect &rect)
{
    Opening opening{contextFor(contact, type), {340, 192}, Popover::Behavior::Transient, rect};
    opening.context->labelIndex = labelIndexOf(contact, type, index);
    show(new IMSViewController, opening);
}

void ValueEditorHandOff::showSNSPopover(
    const PersonRecordPtr &contact, const ContactIdentifier &type, qint64 index, const QRect &rect)
{
    Opening opening{contextFor(contact, type), {400, 222}, Popover::Behavior::Transient, rect};
    opening.context->labelIndex = labelIndexOf(contact, type, index);
    show(new SNSViewController, opening);
}

void ValueEditorHandOff::showDatePopover(
    const PersonRecordPtr &contact, const ContactIdentifier &type, qint64 index, const QRect &rect)
{
    if (type != Dates && type != Birthday)
        return;
    const bool dates = type == Dates;
    Opening opening{
        contextFor(contact, type), dates ? QSize(340, 392) : QSize(340, 284), Popover::Behavior::Semitransient, rect};
    opening.context->editEnabled = true;
    if (dates && m_indexKind == IndexKind::LabelIndex)
        opening.context->labelIndex = index;
    ValueEditor *editor = dates ? static_cast<ValueEditor *>(new DatesViewController) : new DateViewController;
    show(editor, opening);
}

void ValueEditorHandOff::showRenmeiPopover(const PersonRecordPtr &contact, const QRect &rect)
{
    auto *editor = new RenmeiViewController;
    editor->setSelectedFont(m_host->editorFont());
    show(editor, {contextFor(contact, Renmei), {368, 260}, Popover::Behavior::Semitransient, rect});
}

void ValueEditorHandOff::show(ValueEditor *editor, const Opening &opening)
{
    // The editor still shown hands in its result before the next one opens.
    if (m_popover)
        m_popover->close();
    QAbstractItemView *view = m_host->editorPositioningView(opening.context->contact);
    auto *popover = new Popover(view ? view->window() : nullptr);
    popover->setBehavior(opening.behavior);
    popover->setAnimates(true);
    connect(popover, &Popover::didClose, this, &ValueEditorHandOff::popoverDidClose);
    m_popover = popover;
    editor->setPopover(popover);
    popover->setContentWidget(editor);
    popover->setContentSize(opening.size);
    popover->showRelativeToRect(opening.rect, view ? view->viewport() : nullptr, Popover::Edge::MaxY);
    if (!popover->isShown()) {
        m_popover = nullptr;
        popover->deleteLater();
        return;
    }
    editor->setContextInfo(opening.context, m_host->editorEditState());
}

void ValueEditorHandOff::popoverDidClose(Popover *popover)
{
    if (!popover)
        return;
    const auto *editor = qobject_cast<ValueEditor *>(popover->contentWidget());
    // The context holds the contact the editor was opened on, which the host
    // may have left for another since.
    if (editor && applyValueEditorResult(editor->contextInfo(), nullptr, m_host->editorDelegate()))
        m_host->valueEditorResultDidApply();
    if (popover == m_popover)
        m_popover = nullptr;
    popover->deleteLater();
}
