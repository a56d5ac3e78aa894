#include "table/DraggingMimeData.h"

DraggingMimeData::DraggingMimeData(QObject *draggingSource)
    : m_draggingSource(draggingSource)
{
}

void DraggingMimeData::setProvider(const QString &mimeType, Provider provider)
{
    if (!m_providedTypes.contains(mimeType))
        m_providedTypes.append(mimeType);
    m_providers.insert(mimeType, std::move(provider));
}

bool DraggingMimeData::isFromApplication(const QMimeData *data)
{
    return qobject_cast<const DraggingMimeData *>(data) != nullptr;
}

QObject *DraggingMimeData::sourceOf(const QMimeData *data)
{
    const auto *own = qobject_cast<const DraggingMimeData *>(data);
    return own ? own->draggingSource() : nullptr;
}

QStringList DraggingMimeData::formats() const
{
    QStringList types = QMimeData::formats();
    for (const QString &type : m_providedTypes) {
        if (!types.contains(type))
            types.append(type);
    }
    return types;
}

bool DraggingMimeData::hasFormat(const QString &mimeType) const
{
    return m_providedTypes.contains(mimeType) || QMimeData::hasFormat(mimeType);
}

QVariant DraggingMimeData::retrieveData(const QString &mimeType, QMetaType type) const
{
    const auto provider = m_providers.find(mimeType);
    if (provider != m_providers.end()) {
        const Provider make = std::move(provider.value());
        m_providers.erase(provider);
        // Stored as any set data is, so that later requests (and the URL
        // list's conversion) take the ordinary road.
        const_cast<DraggingMimeData *>(this)->setData(mimeType, make ? make() : QByteArray());
    }
    return QMimeData::retrieveData(mimeType, type);
}
