#include "platform/NotificationCenter.h"

#include <gtest/gtest.h>

#include <QObject>
#include <QStringList>

#include <memory>

namespace {

const QString changed3 = QStringLiteral("MV1NTextObjectChanged3");
const QString changed4 = QStringLiteral("MV1NTextObjectChanged4");
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
    center.addObserver(&receiver, changed3, nullptr, [&](const NotificationCenter::Notification &n) {
        received.append(QStringLiteral("named:%1 %2 %3")
                            .arg(n.name)
                            .arg(n.objectPointer() == &sender)
                            .arg(n.userInfo.value(QStringLiteral("row")).toInt()));
    });
    center.postNotification(changed4, &sender);
    center.postNotification(changed3, &sender, {{QStringLiteral("row"), 3}});
    EXPECT_EQ(received, QStringList({"any:" + changed4, "any:" + changed3, "named:" + changed3 + " 1 3"}));
}

// A filter object and the object posted; whether the observer hears it.
struct ObjectFilterRow {
    const char *label;
    QVariant filter;
    QVariant posted;
    bool heard;
};

class NotificationCenterObjectFilter : public testing::TestWithParam<ObjectFilterRow> { };

QObject *firstView()
{
    static QObject view;
    return &view;
}

QObject *secondView()
{
    static QObject view;
    return &view;
}

TEST_P(NotificationCenterObjectFilter, DeliversOnlyMatchingObjects)
{
    NotificationCenter center;
    int heard = 0;
    center.addObserver(QStringLiteral("MV1NmLabelAttributeChanged"), GetParam().filter,
        [&](const NotificationCenter::Notification &) { ++heard; });
    center.postNotification(QStringLiteral("MV1NmLabelAttributeChanged"), GetParam().posted);
    EXPECT_EQ(heard, GetParam().heard ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, NotificationCenterObjectFilter,
    testing::Values(ObjectFilterRow{"same_view", NotificationCenter::objectVariant(firstView()),
                        NotificationCenter::objectVariant(firstView()), true},
        ObjectFilterRow{"other_view", NotificationCenter::objectVariant(firstView()),
            NotificationCenter::objectVariant(secondView()), false},
        ObjectFilterRow{"view_filter_no_object", NotificationCenter::objectVariant(firstView()), QVariant(), false},
        ObjectFilterRow{"any_object", QVariant(), NotificationCenter::objectVariant(secondView()), true},
        ObjectFilterRow{"equal_string", QStringLiteral("A4 24"), QStringLiteral("A4 24"), true},
        ObjectFilterRow{"other_string", QStringLiteral("A4 24"), QStringLiteral("A4 12"), false},
        ObjectFilterRow{"string_filter_view_posted", QStringLiteral("A4 24"),
            NotificationCenter::objectVariant(firstView()), false}),
    [](const testing::TestParamInfo<ObjectFilterRow> &info) { return std::string(info.param.label); });

TEST(NotificationCenterRemoval, ObserverGoesAwayWithItsReceiver)
{
    NotificationCenter center;
    int heard = 0;
    auto receiver = std::make_unique<QObject>();
    center.addObserver(
        receiver.get(), optionsUpdated, nullptr, [&](const NotificationCenter::Notification &) { ++heard; });
    center.addObserver(receiver.get(), changed3, nullptr, [&](const NotificationCenter::Notification &) { ++heard; });
    center.postNotification(optionsUpdated);
    receiver.reset();
    center.postNotification(optionsUpdated);
    center.postNotification(changed3);
    EXPECT_EQ(heard, 1);

    // A new object at the same address must not inherit the observation.
    auto successor = std::make_unique<QObject>();
    center.addObserver(
        successor.get(), changed4, nullptr, [&](const NotificationCenter::Notification &) { heard += 10; });
    center.postNotification(optionsUpdated);
    center.postNotification(changed4);
    EXPECT_EQ(heard, 11);
}

TEST(NotificationCenterRemoval, ByTokenByReceiverAndByName)
{
    NotificationCenter center;
    QObject receiver;
    QStringList heard;
    const auto note = [&](const QString &who) {
        return
            [&heard, who](const NotificationCenter::Notification &n) { heard.append(who + QLatin1Char(':') + n.name); };
    };
    const NotificationCenter::ObserverToken token
        = center.addObserver(optionsUpdated, QVariant(), note(QStringLiteral("token")));
    center.addObserver(&receiver, optionsUpdated, nullptr, note(QStringLiteral("receiver")));
    center.addObserver(&receiver, changed3, nullptr, note(QStringLiteral("receiver")));

    center.removeObserver(token);
    center.removeObserver(&receiver, changed3);
    center.postNotification(optionsUpdated);
    center.postNotification(changed3);
    EXPECT_EQ(heard, QStringList{QStringLiteral("receiver:") + optionsUpdated});

    center.removeObserver(&receiver);
    center.postNotification(optionsUpdated);
    EXPECT_EQ(heard.size(), 1);
}

TEST(NotificationCenterRemoval, ObserverRemovedByAnEarlierHandlerOfTheSamePostIsNotCalled)
{
    NotificationCenter center;
    QStringList heard;
    NotificationCenter::ObserverToken second = 0;
    center.addObserver(optionsUpdated, QVariant(), [&](const NotificationCenter::Notification &) {
        heard.append(QStringLiteral("first"));
        center.removeObserver(second);
        center.postNotification(changed4);
    });
    second = center.addObserver(optionsUpdated, QVariant(),
        [&](const NotificationCenter::Notification &) { heard.append(QStringLiteral("second")); });
    center.postNotification(optionsUpdated);
    EXPECT_EQ(heard, QStringList{QStringLiteral("first")});
}
