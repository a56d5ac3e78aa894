#pragma once

#include "model/LabeledValueRecord.h"

#include <QString>
#include <QtGlobal>

#include <cstddef>

// Asks the processor ahead for the memory a pass over many contacts is about
// to read. The rows, persons, value lists and texts of a large table lie all
// over memory, and a pass that waits for each as it reaches it spends most
// of its time waiting: the row passes ask a few contacts ahead of where they
// read. Each call is only a hint, and is always inlined, as the bare
// prefetches it stands for were.
class ContactPrefetch {
public:
    static constexpr std::size_t cacheLine = 64;

    // The cache line of the object.
    Q_ALWAYS_INLINE static void line(const void *object) { hint(object, false); }
    // Every cache line of the object, a contact's person for one.
    template <typename Object> Q_ALWAYS_INLINE static void whole(const Object *object)
    {
        if (!object)
            return;
        const char *bytes = reinterpret_cast<const char *>(object);
        for (std::size_t offset = 0; offset < sizeof(Object); offset += cacheLine)
            hint(bytes + offset, false);
    }
    // An object made with std::make_shared, together with its count of
    // holders, which sits just before it and which a new holder writes.
    Q_ALWAYS_INLINE static void shared(const void *object)
    {
        if (!object)
            return;
        hint(reinterpret_cast<const char *>(object) - 2 * sizeof(void *), true);
        hint(object, false);
    }
    // A text's characters, together with its count of holders just before
    // them.
    Q_ALWAYS_INLINE static void text(const QString &text)
    {
        const auto *characters = reinterpret_cast<const char *>(text.constData());
        hint(characters - sizeof(QArrayData), false);
        hint(characters, false);
    }
    // Every value of a contact's list (a null list asks for none).
    Q_ALWAYS_INLINE static void values(const LabeledValueList *list)
    {
        for (qsizetype place = 0; list && place < list->size(); ++place)
            hint(list->at(place).get(), false);
    }

private:
    // A prefetch never faults, so a null or stale address costs nothing.
    Q_ALWAYS_INLINE static void hint(const void *address, bool forWriting)
    {
#if defined(__GNUC__)
        if (forWriting)
            __builtin_prefetch(address, 1);
        else
            __builtin_prefetch(address);
#else
        Q_UNUSED(address);
        Q_UNUSED(forWriting);
#endif
    }
};
