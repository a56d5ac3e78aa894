#pragma once

#include <QHash>
#include <QMetaObject>
#include <QMutex>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <functional>
#include <vector>

class QObject;

// Named notifications ("MV1NprintOptionsUpdated", ...) between parts of the
// application that do not know each other. A notification carries an object
// (the sender, or any value) and a user-info dictionary, and reaches its
// observers synchronously on the posting thread, in the order they were added.
class NotificationCenter {
public:
    struct Notification {
        QString name;
        // A QObject travels as QObject*; see objectPointer().
        QVariant object;
        QVariantMap userInfo;

        // The object as a QObject, or null when it is some other value.
        [[nodiscard]] QObject *objectPointer() const;
    };

    using Handler = std::function<void(const Notification &)>;

    // Identifies one observation for removeObserver(); 0 is no observation.
    using ObserverToken = quint64;

    NotificationCenter();
    ~NotificationCenter();
    NotificationCenter(const NotificationCenter &) = delete;
    NotificationCenter &operator=(const NotificationCenter &) = delete;

    [[nodiscard]] static NotificationCenter &defaultCenter();

    // Observes notifications of a name (an empty name: of every name) whose
    // object equals the given one (an invalid QVariant: any object). An
    // observation with a receiver ends when the receiver is destroyed, or with
    // removeObserver(receiver).
    ObserverToken addObserver(QObject *receiver, const QString &name, const QVariant &object, Handler handler);
    ObserverToken addObserver(QObject *receiver, const QString &name, QObject *object, Handler handler);
    ObserverToken addObserver(const QString &name, const QVariant &object, Handler handler);

    void removeObserver(ObserverToken token);
    // Every observation of the receiver.
    void removeObserver(QObject *receiver);
    // The receiver's observations of one name (empty: every name) and object
    // (invalid: any object).
    void removeObserver(QObject *receiver, const QString &name, const QVariant &object = {});

    void postNotification(const QString &name, const QVariant &object = {}, const QVariantMap &userInfo = {});
    void postNotification(const QString &name, QObject *object, const QVariantMap &userInfo = {});

    [[nodiscard]] static QVariant objectVariant(QObject *object);

private:
    struct Observation {
        ObserverToken token = 0;
        bool hasReceiver = false;
        QPointer<QObject> receiver;
        QString name;
        QVariant object;
        Handler handler;
    };

    [[nodiscard]] static bool objectsMatch(const QVariant &filter, const QVariant &object);
    [[nodiscard]] bool isObserving(ObserverToken token) const;
    void watchReceiver(QObject *receiver);
    void removeObservationsIf(const std::function<bool(const Observation &)> &predicate);

    mutable QMutex m_mutex;
    std::vector<Observation> m_observations;
    QHash<QObject *, QMetaObject::Connection> m_watchedReceivers;
    ObserverToken m_lastToken = 0;
};
