#include "table/DragTypes.h"

#include <QMimeData>

namespace DragType {

QByteArray vCardData(const QMimeData *data)
{
    if (!data)
        return {};
    if (data->hasFormat(vCard))
        return data->data(vCard);
    if (data->hasFormat(oldVCard))
        return data->data(oldVCard);
    return {};
}

bool hasVCard(const QMimeData *data)
{
    return data && (data->hasFormat(vCard) || data->hasFormat(oldVCard));
}

qint64 labelIndexOf(const QMimeData *data)
{
    if (!data || !data->hasFormat(labelIndex))
        return 0;
    bool isNumber = false;
    const qint64 value = data->data(labelIndex).trimmed().toLongLong(&isNumber);
    return isNumber ? value : 0;
}

} // namespace DragType
