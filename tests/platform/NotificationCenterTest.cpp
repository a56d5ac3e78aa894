#include "platform/NotificationCenter.h"

#include <gtest/gtest.h>

#include <QObject>
#include <QStringList>

#include <memory>

namespace {

const QString receiverChanged = QStringLiteral("TextObjectChangedForReceiver");
const QString senderChanged = QStringLiteral("TextObjectChangedForSender");
const QString optionsUpdated = QStringLiteral("MV1NprintOptionsUpdated");

} // namespace

// Observers of a name hear it with object and user info; those of the empty
// name hear every name; all in the order they began observing.
TEST(NotificationCenterDelivery, ReachesObserversOfTheNameInOrderOfObservation)
{
    NotificationCenter center;
    QObject receiver;
    QObject sender;
    QStringList received;
    center.addObserver(QString(), QVariant(),
        [&](const NotificationCenter::Notification &n) { received.append(QStringLiteral("any:") + n.name); });
    center.addObserver(&receiver, receiverChanged, nullptr, [&](const NotificationCenter::Notification &n) {
        received.append(QStringLiteral("named:%1 %2 %3")
                            .arg(n.name)
                            .arg(n.objectPointer() == &sender)
                            .arg(n.userInfo.value(QStringLiteral("row")).toInt()));
    });
    center.postNotification(senderChanged, &sender);
    center.postNotification(receiverChanged, &sender, {{QStringLiteral("row"), 3}});
    EXPECT_EQ(
        received, QStringList({"any:" + senderChanged, "any:" + receiverChanged, "named:" + receiverChanged + " 1 3"}));
}

// An observer with a filter object hears only posts of an equal object: the
// same view, or an equal string; one without filter hears every object.
TEST(NotificationCenterDelivery, DeliversOnlyMatchingObjects)
{
    QObject first;
    QObject second;
    const QVariant view = NotificationCenter::objectVariant(&first);
    const QVariant other = NotificationCenter::objectVariant(&second);
    const QVariant text = QStringLiteral("A4 24");
    const std::tuple<QVariant, QVariant, int> rows[]
        = {{view, view, 1}, {view, other, 0}, {view, QVariant(), 0}, {QVariant(), other, 1},
            {text, QStringLiteral("A4 24"), 1}, {text, QStringLiteral("A4 12"), 0}, {text, view, 0}};
    for (size_t row = 0; row < std::size(rows); ++row) {
        const auto &[filter, posted, expected] = rows[row];
        NotificationCenter center;
        int heard = 0;
        center.addObserver(QStringLiteral("MV1NmLabelAttributeChanged"), filter,
            [&](const NotificationCenter::Notification &) { ++heard; });
        center.postNotification(QStringLiteral("MV1NmLabelAttributeChanged"), posted);
        EXPECT_EQ(heard, expected) << "row " << row;
    }
}

TEST(NotificationCenterRemoval, ByTokenByReceiverByNameAndWithTheReceiver)
{
    NotificationCenter center;
    QStringList heard;
    const auto note = [&](const char *who) {
        return [&heard, who](
                   const NotificationCenter::Notification &n) { heard.append(QLatin1String(who) + u':' + n.name); };
    };
    QObject receiver;
    const NotificationCenter::ObserverToken token = center.addObserver(optionsUpdated, QVariant(), note("token"));
    center.addObserver(&receiver, optionsUpdated, nullptr, note("receiver"));
    center.addObserver(&receiver, receiverChanged, nullptr, note("receiver"));
    center.addObserver(&receiver, senderChanged, nullptr, note("receiver"));
    center.removeObserver(token);
    center.removeObserver(&receiver, receiverChanged);
    center.postNotification(optionsUpdated);
    center.postNotification(receiverChanged);
    center.removeObserver(&receiver);
    center.postNotification(optionsUpdated);
    center.postNotification(senderChanged);
    EXPECT_EQ(heard, QStringList{QStringLiteral("receiver:") + optionsUpdated});

    // A new object at the address of a destroyed one must not inherit its observation.
    auto destroyed = std::make_unique<QObject>();
    center.addObserver(destroyed.get(), optionsUpdated, nullptr, note("destroyed"));
    center.postNotification(optionsUpdated);
    destroyed.reset();
    auto successor = std::make_unique<QObject>();
    center.addObserver(successor.get(), senderChanged, nullptr, note("successor"));
    center.postNotification(optionsUpdated);
    center.postNotification(senderChanged);
    EXPECT_EQ(heard.mid(1), QStringList({"destroyed:" + optionsUpdated, "successor:" + senderChanged}));
}

TEST(NotificationCenterRemoval, ObserverRemovedByAnEarlierHandlerOfTheSamePostIsNotCalled)
{
    NotificationCenter center;
    QStringList heard;
    NotificationCenter::ObserverToken second = 0;
    center.addObserver(optionsUpdated, QVariant(), [&](const NotificationCenter::Notification &) {
        heard.append(QStringLiteral("first"));
        center.removeObserver(second);
        center.postNotification(senderChanged);
    });
    second = center.addObserver(optionsUpdated, QVariant(),
        [&](const NotificationCenter::Notification &) { heard.append(QStringLiteral("second")); });
    center.postNotification(optionsUpdated);
    EXPECT_EQ(heard, QStringList{QStringLiteral("first")});
}
