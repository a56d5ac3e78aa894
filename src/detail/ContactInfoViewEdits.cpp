// The edits made in a contact's details: typed text, pop-up choices and a
// dropped picture, each one undoable operation of the delegate.

#include "detail/ContactInfoView.h"

#include "detail/ContactInfoControllerDelegate.h"
#include "detail/DetailRowKinds_p.h"
#include "detail/ImageViewDragAndDrop.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"

using namespace DetailRowKinds;

bool ContactInfoView::replaceValue(const PersonValue &value, const ContactIdentifier &identifier)
{
    ContactInfoControllerDelegate *delegate = infoDelegate();
    if (!delegate || !contact())
        return false;
    const ChangeSenderScope scope(delegate, this);
    return delegate->undoReplaceValue(value, identifier, contact());
}

// The operation has announced the change already, with this view as its
// sender: a second notice would rebuild this view, closing the editor that
// Return or Tab has just opened.
void ContactInfoView::sendContactDidUpdate()
{
    markWindowEdited();
    shownContactDidChange();
}

void ContactInfoView::textFieldCellChanged(int row, const QString &text)
{
    MVPerson *person = m_model->person();
    if (!person || row < 0 || row >= m_model->rowCount())
        return;
    const InfoRowRecord record = m_model->rowAt(row);
    bool changed = false;
    if (record.type == FieldId::Name) {
        changed = replaceValue(text, record.labelText());
    } else if (record.type == FieldId::PhoneticName) {
        changed = replaceValue(text, phoneticPrefix + record.labelText());
    } else if (takesTypedText(record.type)) {
        const LabeledValueRecordPtr value = m_model->labeledValue(row);
        if (!value || (!sendsUnchangedText() && value->valueText() == text))
            return;
        value->value = text;
        value->stringValue = text;
        changed = replaceValue(*value, record.type);
    } else if (isStringType(record.type)) {
        if (!sendsUnchangedText() && person->stringValueForIdentifier(record.type, 0) == text)
            return;
        changed = replaceValue(text, record.type);
    }
    if (!changed)
        return;
    // Only this row: a reset would close the editor that Return or Tab opens next.
    m_model->remeasureRow(row);
    setRowHeight(row, m_model->heightOfRow(row));
    sendContactDidUpdate();
}

// The pop-ups show display names; the contact keeps the word at the same
// position, so a translated title never becomes a label.
void ContactInfoView::popupButtonCellChanged(int row, qsizetype position)
{
    MVPerson *person = m_model->person();
    if (!person || row < 0 || row >= m_model->rowCount() || position < 0)
        return;
    const InfoRowRecord record = m_model->rowAt(row);
    bool changed = false;
    if (record.type == NameDisplay) {
        const QStringList words = m_model->popupWords(row);
        if (position >= words.size())
            return;
        NameRecord name = *person->nameValue();
        name.showAsPerson = words.at(position) == QStringLiteral("Person");
        changed = replaceValue(name, FieldId::Name);
    } else if (isLabeled(record.type)) {
        const QStringList words = FieldVocabulary::shared().labelsForIdentifier(record.type);
        const LabeledValueRecordPtr value = m_model->labeledValue(row);
        if (!value || position >= words.size() || value->labelText() == words.at(position))
            return;
        value->label = words.at(position);
        replaceValue(*value, record.type);
        changed = true;
    }
    if (!changed)
        return;
    m_model->remeasureRow(row);
    popupChoiceDidApply(row);
    sendContactDidUpdate();
}

void ContactInfoView::imageDidChange(ImageViewDragAndDrop *well)
{
    const QImage image = well->image();
    replaceValue(image.isNull() ? PersonValue() : PersonValue(image), FieldId::Photo);
    sendContactDidUpdate();
}
