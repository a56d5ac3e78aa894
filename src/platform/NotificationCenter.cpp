#include "platform/NotificationCenter.h"

#include <QObject>

#include <algorithm>

QObject *NotificationCenter::Notification::objectPointer() const
{
    return object.metaType().flags().testFlag(QMetaType::PointerToQObject) ? object.value<QObject *>() : nullptr;
}

NotificationCenter::NotificationCenter() = default;

NotificationCenter::~NotificationCenter()
{
    for (const QMetaObject::Connection &connection : std::as_const(m_watchedReceivers))
        QObject::disconnect(connection);
}

NotificationCenter &NotificationCenter::defaultCenter()
{
    static NotificationCenter center;
    return center;
}

QVariant NotificationCenter::objectVariant(QObject *object)
{
    return object ? QVariant::fromValue(object) : QVariant();
}

NotificationCenter::ObserverToken NotificationCenter::addObserver(
    QObject *receiver, const QString &name, const QVariant &object, Handler handler)
{
    if (!handler) {
        qWarning("%s: ERROR no handler for %s", Q_FUNC_INFO, qPrintable(name));
        return 0;
    }
    const QMutexLocker locker(&m_mutex);
    Observation observation;
    observation.token = ++m_lastToken;
    observation.hasReceiver = receiver != nullptr;
    observation.receiver = receiver;
    observation.name = name;
    observation.object = object;
    observation.handler = std::move(handler);
    m_observations.push_back(std::move(observation));
    if (receiver)
        watchReceiver(receiver);
    return m_lastToken;
}

NotificationCenter::ObserverToken NotificationCenter::addObserver(
    QObject *receiver, const QString &name, QObject *object, Handler handler)
{
    return addObserver(receiver, name, objectVariant(object), std::move(handler));
}

NotificationCenter::ObserverToken NotificationCenter::addObserver(
    const QString &name, const QVariant &object, Handler handler)
{
    return addObserver(nullptr, name, object, std::move(handler));
}

// Called with the mutex held. The destroyed signal comes on the thread that
// deletes the receiver, so the removal runs there, directly.
void NotificationCenter::watchReceiver(QObject *receiver)
{
    if (m_watchedReceivers.contains(receiver))
        return;
    m_watchedReceivers.insert(
        receiver, QObject::connect(receiver, &QObject::destroyed, [this, receiver]() { removeObserver(receiver); }));
}

void NotificationCenter::removeObservationsIf(const std::function<bool(const Observation &)> &predicate)
{
    const QMutexLocker locker(&m_mutex);
    std::erase_if(m_observations, predicate);
    // Receivers left without observations are no longer watched.
    for (auto it = m_watchedReceivers.begin(); it != m_watchedReceivers.end();) {
        QObject *receiver = it.key();
        const bool observing = std::any_of(m_observations.cbegin(), m_observations.cend(),
            [receiver](const Observation &o) { return o.hasReceiver && o.receiver.data() == receiver; });
        if (observing) {
            ++it;
        } else {
            QObject::disconnect(it.value());
            it = m_watchedReceivers.erase(it);
        }
    }
}

void NotificationCenter::removeObserver(ObserverToken token)
{
    removeObservationsIf([token](const Observation &o) { return o.token == token; });
}

void NotificationCenter::removeObserver(QObject *receiver)
{
    // A receiver being destroyed has already cleared its QPointers.
    removeObservationsIf([receiver](const Observation &o) {
        return o.hasReceiver && (o.receiver.isNull() || o.receiver.data() == receiver);
    });
}

void NotificationCenter::removeObserver(QObject *receiver, const QString &name, const QVariant &object)
{
    removeObservationsIf([&](const Observation &o) {
        return o.hasReceiver && o.receiver.data() == receiver && (name.isEmpty() || o.name == name)
            && (!object.isValid() || objectsMatch(object, o.object));
    });
}

bool NotificationCenter::objectsMatch(const QVariant &filter, const QVariant &object)
{
    if (!filter.isValid())
        return true;
    const bool filterIsObject = filter.metaType().flags().testFlag(QMetaType::PointerToQObject);
    const bool objectIsObject = object.metaType().flags().testFlag(QMetaType::PointerToQObject);
    if (filterIsObject || objectIsObject)
        return filterIsObject && objectIsObject && filter.value<QObject *>() == object.value<QObject *>();
    return filter == object;
}

bool NotificationCenter::isObserving(ObserverToken token) const
{
    const QMutexLocker locker(&m_mutex);
    return std::any_of(m_observations.cbegin(), m_observations.cend(),
        [token](const Observation &o) { return o.token == token && (!o.hasReceiver || !o.receiver.isNull()); });
}

void NotificationCenter::postNotification(const QString &name, const QVariant &object, const QVariantMap &userInfo)
{
    const Notification notification{name, object, userInfo};
    std::vector<std::pair<ObserverToken, Handler>> recipients;
    {
        const QMutexLocker locker(&m_mutex);
        for (const Observation &o : m_observations) {
            if ((o.name.isEmpty() || o.name == name) && objectsMatch(o.object, object)
                && (!o.hasReceiver || !o.receiver.isNull()))
                recipients.emplace_back(o.token, o.handler);
        }
    }
    // Handlers run without the lock, so that they may post, add and remove;
    // one removed by an earlier handler of this post is no longer called.
    for (const auto &[token, handler] : recipients) {
        if (isObserving(token))
            handler(notification);
    }
}

void NotificationCenter::postNotification(const QString &name, QObject *object, const QVariantMap &userInfo)
{
    postNotification(name, objectVariant(object), userInfo);
}
