#include "common/LoggedMessages.h"
#include "platform/InterfacePointer.h"

#include <gtest/gtest.h>

#include <QObject>

#include <memory>

namespace {

class Greeter {
public:
    virtual ~Greeter() = default;
    [[nodiscard]] virtual int greet() const = 0;
};

class ObjectGreeter : public QObject, public Greeter {
public:
    [[nodiscard]] int greet() const override { return 1; }
};

class PlainGreeter : public Greeter {
public:
    [[nodiscard]] int greet() const override { return 2; }
};

TEST(InterfacePointer, ReadsNullOnceItsObjectIsDestroyed)
{
    auto object = std::make_unique<ObjectGreeter>();
    InterfacePointer<Greeter> held = object.get();
    ASSERT_EQ(held.get(), object.get());
    EXPECT_EQ(held->greet(), 1);
    InterfacePointer<Greeter> copy = held;
    object.reset();
    EXPECT_EQ(held.get(), nullptr);
    EXPECT_FALSE(copy);
}

TEST(InterfacePointer, RefusesAnInterfaceThatIsNoQObjects)
{
    const LoggedMessages log;
    PlainGreeter plain;
    InterfacePointer<Greeter> held = &plain;
    EXPECT_EQ(held.get(), nullptr);
    EXPECT_TRUE(log.contains(QStringLiteral("ERROR the interface handed over is not a QObject's")));
    held = nullptr;
    EXPECT_EQ(held.get(), nullptr);
}

} // namespace
