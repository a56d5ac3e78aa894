#pragma once

#include <QString>

// Identifiers of new contacts and labeled values: random (version 4) UUIDs
// written as 36 characters without braces, as QUuid writes them.
//
// They are drawn from a generator of the calling thread, seeded once from the
// system: asking the system (the CPU's random-seed instruction) for every
// value took a quarter of the time of writing or reading a large vCard file.
class StoreContactIdentifier {
public:
    enum class LetterCase { Lower, Upper };

    StoreContactIdentifier() = delete;

    [[nodiscard]] static QString create(LetterCase letterCase = LetterCase::Lower);
};
