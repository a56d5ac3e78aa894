// Values carried from one side of the merge sheet to the other.

#include "detail/ImageViewDragAndDrop.h"
#include "find/MergePanelController.h"
#include "find/MergeRows.h"
#include "find/MergeTableModel.h"
#include "find/MergeTableView.h"
#include "model/MVPerson.h"
#include "table/DragTypes.h"
#include "table/DraggingMimeData.h"

#include <QBuffer>

namespace {

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return data;
}

} // namespace

QMimeData *MergePanelController::writeRow(bool left, int row)
{
    const MergeTableRowPtr record = model(left)->row(row);
    const ContactRecordPtr &side = contact(left);
    if (!record || !side)
        return nullptr;
    m_draggingSourceRow = record;
    auto *data = new DraggingMimeData(left ? m_tableViewLeft : m_tableViewRight);
    bool written = false;
    if (record->type == FieldId::Photo) {
        const QImage photo = side->person->photo();
        if (!photo.isNull()) {
            data->setProvider(QStringLiteral("image/tiff"), [photo] { return encoded(photo, "TIFF"); });
            data->setProvider(QStringLiteral("image/png"), [photo] { return encoded(photo, "PNG"); });
            written = true;
        }
    } else {
        const QString text = MergeRows::valueText(*side->person, *record);
        if (!text.isEmpty()) {
            data->setText(QStringLiteral("%1: %2").arg(record->labelText(), text));
            written = true;
        }
    }
    if (!written) {
        delete data;
        return nullptr;
    }
    return data;
}

bool MergePanelController::otherTableIsSource(bool left, const QMimeData *data) const
{
    const QObject *source = DraggingMimeData::sourceOf(data);
    return source && source == (left ? m_tableViewRight : m_tableViewLeft);
}

bool MergePanelController::validateDrop(bool left, const QMimeData *data, Qt::DropAction, int row, bool on) const
{
    if (!isEditable() || !otherTableIsSource(left, data) || !m_draggingSourceRow)
        return false;
    const MergeTableRowPtr target = model(left)->row(row);
    if (!target || target->type != m_draggingSourceRow->type || !MergeRows::isDroppable(target->type))
        return false;
    if (MergeRows::isMultiValued(target->type))
        return target->valueCount.value_or(-1) >= 0;
    return on;
}

bool MergePanelController::acceptDrop(bool left, const QMimeData *data, Qt::DropAction action, int row, bool on)
{
    if (!validateDrop(left, data, action, row, on))
        return false;
    const MergeTableRow source = *m_draggingSourceRow;
    const MergeTableRow target = *model(left)->row(row);
    const bool copy = action == Qt::CopyAction;
    m_undoManager.beginUndoGrouping();
    bool changed = false;
    if (source.type == FieldId::Photo)
        changed = dropPhoto(left, copy);
    else if (source.type == FieldId::Name || source.type == FieldId::PhoneticName)
        changed = dropName(left, source, copy);
    else if (MergeRows::isMultiValued(source.type))
        changed = dropMultiValued(left, source, target, copy, on);
    else
        changed = dropSingle(left, source.type, copy);
    m_undoManager.endUndoGrouping();
    if (changed)
        countChange();
    return changed;
}

bool MergePanelController::dropName(bool left, const MergeTableRow &source, bool copy)
{
    const ContactRecordPtr &from = contact(!left);
    const ContactIdentifier part = MergeRows::partIdentifier(source.type, source.labelText());
    if (part.isEmpty())
        return false;
    const QString text = MergeRows::namePart(*from->person, source.type, source.labelText());
    bool changed = false;
    if (!copy)
        changed = m_edits.undoReplaceValue(QString(), part, from);
    return m_edits.undoReplaceValue(text, part, contact(left)) || changed;
}

bool MergePanelController::dropSingle(bool left, const ContactIdentifier &type, bool copy)
{
    const ContactRecordPtr &from = contact(!left);
    const PersonValue value = from->person->valueForIdentifier(type);
    bool changed = false;
    if (!copy)
        changed
            = m_edits.undoReplaceValue(type == FieldId::Birthday ? PersonValue() : PersonValue(QString()), type, from);
    return m_edits.undoReplaceValue(value, type, contact(left)) || changed;
}

bool MergePanelController::dropPhoto(bool left, bool copy)
{
    MVPerson &from = *contact(!left)->person;
    (void)from.photo();
    const QByteArray data = from.imageData();
    const QByteArray thumbnail = from.thumbnailImageData();
    bool changed = false;
    if (!copy)
        changed = m_edits.undoReplacePhotoData({}, {}, contact(!left));
    return m_edits.undoReplacePhotoData(data, thumbnail, contact(left)) || changed;
}

bool MergePanelController::dropMultiValued(
    bool left, const MergeTableRow &source, const MergeTableRow &target, bool copy, bool on)
{
    if (source.isFiller())
        return false;
    const ContactRecordPtr &from = contact(!left);
    const ContactRecordPtr &to = contact(left);
    const LabeledValueRecordPtr value
        = from->person->labeledValueForIdentifierAtLabelIndex(source.type, source.labelIndex.value_or(-1));
    if (!value)
        return false;
    if (!copy)
        m_edits.undoDeleteLabeledValue(*value, source.type, from);
    if (on && !target.isFiller()) {
        LabeledValueRecord replacement = *value;
        replacement.labelIndex = target.labelIndex.value_or(-1);
        const bool replaced = m_edits.undoReplaceValue(replacement, target.type, to);
        return replaced || !copy;
    }
    m_edits.undoAddLabeledValue(*value, target.type, to);
    return true;
}
