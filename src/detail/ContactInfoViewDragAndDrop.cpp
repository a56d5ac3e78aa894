// Dragging a detail row: within the view it moves its field's block in the
// row order, onto another view it carries the contact's card with the
// field and the value's position; a card dropped onto a row gives the shown
// contact the value the drag names.

#include "detail/ContactInfoView.h"

#include "detail/DetailRowKinds_p.h"
#include "detail/DetailRowOrder.h"
#include "interchange/MVvCard.h"
#include "model/MVPerson.h"
#include "platform/UserDefaults.h"
#include "table/DragTypes.h"
#include "table/DraggingMimeData.h"

#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QPainter>

using namespace DetailRowKinds;

namespace {

const vCardExportOptions &rowVCardOptions()
{
    static const vCardExportOptions options{
        vCardExportOption::Note, vCardExportOption::Photo, vCardExportOption::Renmei, vCardExportOption::HagakiLayout};
    return options;
}

// The identifier of the name or phonetic-name part a row shows.
QString namePartIdentifier(const InfoRowRecord &row)
{
    return row.type == FieldId::PhoneticName ? phoneticPrefix + row.labelText() : row.labelText();
}

} // namespace

void ContactInfoView::setUpDragAndDrop()
{
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDropIndicatorShown(true);
}

// --- Beginning a drag ---------------------------------------------------------------

QMimeData *ContactInfoView::mimeDataForRow(int row)
{
    const PersonRecordPtr &shown = contact();
    if (!shown || !shown->person || row < 0 || row >= m_model->rowCount())
        return nullptr;
    m_draggingSourceIndex = row;
    const InfoRowRecord record = m_model->rowAt(row);
    // The card carries the contact's own picture only, never a stand-in.
    const auto card = std::make_shared<ContactRecord>(shown->person, shown->uniqueId, shown->labelIndex);
    const QString text = MVvCard().vCardFromContact(card, rowVCardOptions());
    if (text.isEmpty() || !rowHasValue(record))
        return nullptr;
    auto *data = new DraggingMimeData(this);
    data->setData(DragType::vCard, text.toUtf8());
    data->setData(DragType::identifier, record.type.toUtf8());
    // The receiver reads the value at this position of the card's list.
    const qint64 position = record.index ? qint64(*record.index) : record.labelIndex.value_or(0);
    data->setData(DragType::labelIndex, QByteArray::number(position));
    return data;
}

bool ContactInfoView::rowHasValue(const InfoRowRecord &row)
{
    MVPerson &person = *m_model->person();
    if (isLabeled(row.type)) {
        const LabeledValueRecordPtr value
            = row.index ? person.labeledValueForIdentifierAtIndex(row.type, *row.index) : nullptr;
        return value && !value->stringValue.isEmpty();
    }
    if (row.type == FieldId::Name || row.type == FieldId::PhoneticName)
        return !person.stringValueForIdentifier(namePartIdentifier(row), 0).isEmpty();
    if (row.type == FieldId::Birthday)
        return !person.birthdayValue()->stringValue.isEmpty();
    if (row.type == FieldId::Photo)
        return !person.thumbnail().isNull();
    return !person.stringValueForIdentifier(row.type, 0).isEmpty();
}

void ContactInfoView::startDrag(Qt::DropActions supportedActions)
{
    const QModelIndex current = currentIndex();
    const QList<int> rows = selectedRows();
    const int row = current.isValid() ? current.row() : (rows.isEmpty() ? -1 : rows.first());
    QMimeData *data = mimeDataForRow(row);
    if (!data)
        return;
    auto *drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(supportedActions | Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
}

// --- Where a drop lands -------------------------------------------------------------

ContactInfoView::DropPlace ContactInfoView::dropPlaceAt(const QPoint &position) const
{
    const QModelIndex index = indexAt(position);
    if (!index.isValid())
        return {m_model->rowCount(), DropOperation::Above};
    const QRect rect = visualRect(index);
    const int margin = std::clamp(qRound(rect.height() / 5.5), 2, 12);
    if (position.y() - rect.top() < margin)
        return {index.row(), DropOperation::Above};
    if (rect.bottom() - position.y() < margin)
        return {index.row() + 1, DropOperation::Above};
    return {index.row(), DropOperation::On};
}

void ContactInfoView::dragEnterEvent(QDragEnterEvent *event)
{
    if (DraggingMimeData::isFromApplication(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void ContactInfoView::dragMoveEvent(QDragMoveEvent *event)
{
    const DropPlace place = dropPlaceAt(event->position().toPoint());
    const Qt::DropAction action = validateDrop(event->mimeData(), place.row, place.operation);
    if (action == Qt::IgnoreAction) {
        showDropPlace(std::nullopt);
        event->ignore();
        return;
    }
    showDropPlace(place);
    event->setDropAction(action);
    event->accept();
}

void ContactInfoView::dragLeaveEvent(QDragLeaveEvent *event)
{
    showDropPlace(std::nullopt);
    QTableView::dragLeaveEvent(event);
}

void ContactInfoView::showDropPlace(const std::optional<DropPlace> &place)
{
    QRect indicator;
    const int count = m_model->rowCount();
    if (place && count > 0) {
        const int row = std::min(place->row, count - 1);
        const QRect rect = visualRect(m_model->index(row, ContactInfoTableModel::TypeColumn))
                               .united(visualRect(m_model->index(row, ContactInfoTableModel::ValueColumn)));
        if (place->operation == DropOperation::On)
            indicator = rect;
        else
            indicator = QRect(rect.left(), place->row < count ? rect.top() : rect.bottom() + 1, rect.width(), 0);
    }
    if (indicator != m_dropIndicator) {
        m_dropIndicator = indicator;
        viewport()->update();
    }
}

void ContactInfoView::paintEvent(QPaintEvent *event)
{
    QTableView::paintEvent(event);
    if (m_dropIndicator.isNull())
        return;
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    if (m_dropIndicator.height() == 0)
        painter.drawLine(m_dropIndicator.topLeft(), m_dropIndicator.topRight());
    else
        painter.drawRect(m_dropIndicator.adjusted(1, 1, -1, -1));
}

void ContactInfoView::dropEvent(QDropEvent *event)
{
    showDropPlace(std::nullopt);
    const DropPlace place = dropPlaceAt(event->position().toPoint());
    const Qt::DropAction action = validateDrop(event->mimeData(), place.row, place.operation);
    if (action != Qt::IgnoreAction && acceptDrop(event->mimeData(), place.row, place.operation)) {
        event->setDropAction(action);
        event->accept();
    } else {
        event->ignore();
    }
}

// --- Validating and accepting -------------------------------------------------------

Qt::DropAction ContactInfoView::validateDrop(const QMimeData *data, int row, DropOperation operation)
{
    if (!DraggingMimeData::isFromApplication(data))
        return Qt::IgnoreAction;
    if (DraggingMimeData::sourceOf(data) == this)
        return validateReorder(row, operation);
    return validateValueDrop(data, row, operation);
}

bool ContactInfoView::acceptDrop(const QMimeData *data, int row, DropOperation operation)
{
    if (validateDrop(data, row, operation) == Qt::IgnoreAction)
        return false;
    if (DraggingMimeData::sourceOf(data) == this)
        return acceptReorder(row);
    return acceptValueDrop(data, row, operation);
}

// A block's first row is the one whose block starts there, whatever the
// value's own number: deleting and sorting leave the numbers as they were.
bool ContactInfoView::isFirstRowOfBlock(int row) const
{
    return row == 0 || m_model->rowAt(row - 1).rowOrderIndex != m_model->rowAt(row).rowOrderIndex;
}

Qt::DropAction ContactInfoView::validateReorder(int row, DropOperation operation) const
{
    if (operation == DropOperation::On)
        return Qt::IgnoreAction;
    const int count = m_model->rowCount();
    if (row >= 0 && row < count && row != m_draggingSourceIndex)
        return isFirstRowOfBlock(row) ? Qt::MoveAction : Qt::IgnoreAction;
    return row >= 0 && row <= count ? Qt::MoveAction : Qt::IgnoreAction;
}

// The moved block goes before the target row's block; below the last row
// it goes last. The new order is every detail view's from now on; it is no
// edit of the contact.
bool ContactInfoView::acceptReorder(int row)
{
    const int count = m_model->rowCount();
    if (row < 0 || row > count || row == m_draggingSourceIndex || m_draggingSourceIndex < 0
        || m_draggingSourceIndex >= count)
        return false;
    const InfoRowRecord &moved = m_model->rowAt(m_draggingSourceIndex);
    QStringList order = m_model->rowOrderTable();
    const int source = moved.rowOrderIndex;
    if (source < 0 || source >= order.size())
        return false;
    if (row == count) {
        order.removeAt(source);
        order.append(moved.type);
    } else {
        const int target = m_model->rowAt(row).rowOrderIndex;
        if (source >= target) {
            order.removeAt(source);
            order.insert(target, moved.type);
        } else {
            order.insert(target, moved.type);
            order.removeAt(source);
        }
    }
    const QList<int> selected = selectedRows();
    m_model->setRowOrderTable(order);
    m_draggingSourceIndex = -1;
    reloadSelecting(selected);
    userDefaults().setObject(order, DetailRowOrder::lastRowOrderKey);
    return true;
}

MVPersonPtr ContactInfoView::droppedPerson(const QMimeData *data)
{
    const QByteArray card = DragType::vCardData(data);
    if (card.isEmpty())
        return nullptr;
    if (card == m_droppedCard)
        return m_droppedPerson;
    m_droppedCard = card;
    m_droppedPerson = nullptr;
    const MVvCard reader;
    QString error;
    const ContainerTablePtr containers = reader.containersFromVCards(QString::fromUtf8(card), &error);
    const ContactTablePtr contacts
        = containers && !containers->isEmpty() ? reader.contactsInContainer(containers->first()) : nullptr;
    if (contacts && !contacts->isEmpty() && contacts->first())
        m_droppedPerson = contacts->first()->person;
    return m_droppedPerson;
}

Qt::DropAction ContactInfoView::validateValueDrop(const QMimeData *data, int row, DropOperation operation)
{
    MVPerson *shown = m_model->person();
    if (!shown || !editState() || row < 0 || row >= m_model->rowCount())
        return Qt::IgnoreAction;
    const InfoRowRecord &target = m_model->rowAt(row);
    if (data->hasFormat(DragType::identifier) && QString::fromUtf8(data->data(DragType::identifier)) != target.type)
        return Qt::IgnoreAction;
    const MVPersonPtr dropped = droppedPerson(data);
    if (!dropped)
        return Qt::IgnoreAction;
    const bool on = operation == DropOperation::On;
    if (isLabeled(target.type)) {
        const LabeledValueRecordPtr value
            = dropped->labeledValueForIdentifierAtIndex(target.type, DragType::labelIndexOf(data));
        if (!value)
            return Qt::IgnoreAction;
        const LabeledValueListPtr values = shown->labeledValues(target.type);
        if (!values || values->isEmpty())
            return Qt::CopyAction;
        return on ? Qt::MoveAction : Qt::CopyAction;
    }
    if (!on || target.type == Groups || target.type == FieldId::NameOrdering)
        return Qt::IgnoreAction;
    bool hasValue = false;
    if (target.type == FieldId::Name || target.type == FieldId::PhoneticName)
        hasValue = !dropped->stringValueForIdentifier(namePartIdentifier(target), 0).isEmpty();
    else if (target.type == FieldId::Photo)
        hasValue = !dropped->photo().isNull();
    else if (target.type == FieldId::Birthday)
        hasValue = dropped->birthdayValue()->value.has_value();
    else
        hasValue = !dropped->stringValueForIdentifier(target.type, 0).isEmpty();
    return hasValue ? Qt::MoveAction : Qt::IgnoreAction;
}

bool ContactInfoView::acceptValueDrop(const QMimeData *data, int row, DropOperation operation)
{
    const MVPersonPtr dropped = droppedPerson(data);
    if (!dropped)
        return false;
    const InfoRowRecord target = m_model->rowAt(row);
    bool changed = false;
    if (isLabeled(target.type)) {
        const LabeledValueRecordPtr value
            = dropped->labeledValueForIdentifierAtIndex(target.type, DragType::labelIndexOf(data));
        changed = value && dropLabeledValue(target, *value, operation);
    } else if (target.type == FieldId::Name || target.type == FieldId::PhoneticName) {
        const QString part = namePartIdentifier(target);
        changed = replaceValue(dropped->stringValueForIdentifier(part, 0), part);
    } else if (target.type == FieldId::Photo) {
        changed = replaceValue(dropped->photo(), FieldId::Photo);
    } else if (target.type == FieldId::Birthday) {
        changed = replaceValue(*dropped->birthdayValue(), FieldId::Birthday);
    } else {
        changed = replaceValue(dropped->stringValueForIdentifier(target.type, 0), target.type);
    }
    if (!changed)
        return false;
    updateTable();
    sendContactDidUpdate();
    return true;
}

// The dropped value comes in as a new one: its number belongs to the other
// contact and may be taken here.
bool ContactInfoView::dropLabeledValue(
    const InfoRowRecord &target, const LabeledValueRecord &dropped, DropOperation operation)
{
    auto value = std::make_shared<LabeledValueRecord>(dropped);
    value->labelIndex = -1;
    LabeledValueList list;
    if (const LabeledValueListPtr values = m_model->person()->labeledValues(target.type)) {
        for (const LabeledValueRecordPtr &held : std::as_const(*values))
            list.append(std::make_shared<LabeledValueRecord>(*held));
    }
    if (list.isEmpty()) {
        list.append(value);
    } else {
        const qsizetype position = target.index.value_or(list.size());
        if (position < 0 || position >= list.size())
            return false;
        if (operation == DropOperation::Above)
            list.insert(position, value);
        else
            list[position] = value;
    }
    return replaceValue(list, target.type);
}
