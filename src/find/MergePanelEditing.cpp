// What the user types and chooses in the cells of the merge sheet, and where
// Return and Tab go next.

#include "find/CustomLabelPanelController.h"
#include "find/MergePanelController.h"
#include "find/MergeRows.h"
#include "find/MergeTableModel.h"
#include "find/MergeTableView.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"
#include "platform/widgets/DialogAnswer.h"

namespace {

bool takesTypedText(const ContactIdentifier &type)
{
    return type == FieldId::Phone || type == FieldId::Email || type == FieldId::URL || type == FieldId::SocialNetwork
        || type == FieldId::Relationship;
}

bool isStringField(const ContactIdentifier &type)
{
    return FieldVocabulary::shared().stringIdentifiers().contains(type);
}

} // namespace

bool MergePanelController::isCellEditable(bool left, int row) const
{
    const MergeTableRowPtr record = model(left)->row(row);
    if (!record || !isEditable())
        return false;
    const ContactIdentifier &type = record->type;
    // Filler rows take no typing: values come there by Add Item, an editor
    // or a drop.
    if (MergeRows::isMultiValued(type))
        return takesTypedText(type) && !record->isFiller();
    return type == FieldId::Name || type == FieldId::PhoneticName || isStringField(type);
}

bool MergePanelController::textFieldCellChanged(bool left, int row, const QString &text)
{
    const MergeTableRowPtr record = model(left)->row(row);
    const ContactRecordPtr &side = contact(left);
    if (!record || !side)
        return false;
    MVPerson &person = *side->person;
    const ContactIdentifier &type = record->type;
    bool changed = false;
    if (type == FieldId::Name || type == FieldId::PhoneticName) {
        const ContactIdentifier part = MergeRows::partIdentifier(type, record->labelText());
        if (!part.isEmpty())
            changed = m_edits.undoReplaceValue(text, part, side);
    } else if (takesTypedText(type)) {
        const LabeledValueRecordPtr value
            = person.labeledValueForIdentifierAtLabelIndex(type, record->labelIndex.value_or(-1));
        if (value && value->stringValue != text) {
            value->value = text;
            value->stringValue = text;
            changed = m_edits.undoReplaceValue(*value, type, side);
        }
    } else if (isStringField(type)) {
        changed = m_edits.undoReplaceValue(text, type, side);
    }
    if (changed)
        countChange();
    refreshNameField(left);
    return changed;
}

QStringList MergePanelController::popupTitles(bool left, int row) const
{
    const MergeTableRowPtr record = model(left)->row(row);
    if (!record)
        return {};
    if (record->type == FieldId::NameOrdering) {
        QStringList titles;
        for (const QString &label : m_nameOrderingLabels)
            titles.append(tr(label.toUtf8().constData()));
        return titles;
    }
    if (record->type == MergeRows::NameDisplay)
        return FieldVocabulary::shared().localizedLabelsForIdentifier(FieldId::ShowAsPerson);
    if (MergeRows::isMultiValued(record->type))
        return FieldVocabulary::shared().localizedLabelsForIdentifier(record->type);
    return {};
}

qsizetype MergePanelController::popupSelectedIndex(bool left, int row) const
{
    const MergeTableRowPtr record = model(left)->row(row);
    const ContactRecordPtr &side = contact(left);
    if (!record || !side)
        return -1;
    const NameRecordPtr name = side->person->nameValue();
    if (record->type == FieldId::NameOrdering)
        return name->nameOrdering == 1 || name->nameOrdering == 2 ? name->nameOrdering : 0;
    if (record->type == MergeRows::NameDisplay)
        return name->showAsPerson ? 0 : 1;
    return FieldVocabulary::shared().labelsForIdentifier(record->type).indexOf(record->labelText());
}

bool MergePanelController::labelPopupCellChanged(bool left, int row, qsizetype position)
{
    const MergeTableRowPtr record = model(left)->row(row);
    const ContactRecordPtr &side = contact(left);
    if (!record || !side || position < 0 || position == popupSelectedIndex(left, row))
        return false;
    bool changed = false;
    if (record->type == FieldId::NameOrdering || record->type == MergeRows::NameDisplay) {
        NameRecord name = *side->person->nameValue();
        if (record->type == FieldId::NameOrdering)
            name.nameOrdering = position == 1 || position == 2 ? int(position) : 0;
        else
            name.showAsPerson = position == 0;
        changed = m_edits.undoReplaceValue(name, FieldId::Name, side);
        if (changed)
            countChange();
    } else if (MergeRows::isMultiValued(record->type)) {
        const QStringList labels = FieldVocabulary::shared().labelsForIdentifier(record->type);
        if (position < labels.size())
            changed = setRowLabel(left, row, labels.at(position));
    }
    refreshNameField(left);
    return changed;
}

bool MergePanelController::setRowLabel(bool left, int row, const QString &label)
{
    const MergeTableRowPtr record = model(left)->row(row);
    const ContactRecordPtr &side = contact(left);
    if (!record || !side || !MergeRows::isMultiValued(record->type))
        return false;
    const LabeledValueRecordPtr value
        = side->person->labeledValueForIdentifierAtLabelIndex(record->type, record->labelIndex.value_or(-1));
    if (!value || value->labelText() == label)
        return false;
    value->label = label;
    const bool changed = m_edits.undoReplaceValue(*value, record->type, side);
    if (changed)
        countChange();
    return changed;
}

void MergePanelController::chooseCustomLabel(bool left, int row)
{
    const MergeTableRowPtr record = model(left)->row(row);
    if (!record || !MergeRows::isMultiValued(record->type) || record->isFiller())
        return;
    const ContactIdentifier type = record->type;
    const qint64 labelIndex = record->labelIndex.value_or(-1);
    m_customLabelPanel->disconnect(this);
    DialogAnswer::answerAfterDone(m_customLabelPanel, this, [this, left, type, labelIndex](int result) {
        m_customLabelPanel->disconnect(this);
        const QString label = m_customLabelPanel->customLabel().trimmed();
        if (result != 1 || label.isEmpty())
            return;
        const QList<MergeTableRowPtr> &rows = model(left)->rows();
        for (int row = 0; row < rows.size(); ++row) {
            if (rows.at(row)->type == type && rows.at(row)->labelIndex == labelIndex) {
                if (setRowLabel(left, row, label))
                    FieldVocabulary::shared().setLabel(QString(), label, type);
                return;
            }
        }
    });
    m_customLabelPanel->open();
}

int MergePanelController::nextEditableRow(bool left, int row) const
{
    const QList<MergeTableRowPtr> &rows = model(left)->rows();
    const int count = int(rows.size());
    if (count < 2)
        return -1;
    int next = row;
    for (int step = 0; step < count; ++step) {
        next = next + 1 >= count ? 1 : next + 1;
        const MergeTableRow &candidate = *rows.at(next);
        const ContactIdentifier &type = candidate.type;
        if (type == FieldId::Photo || type == FieldId::NameOrdering || type == MergeRows::NameDisplay
            || type == FieldId::Birthday)
            continue;
        if (MergeRows::isMultiValued(type) && candidate.labelText().isEmpty())
            continue;
        return next;
    }
    return -1;
}
