#pragma once

#include <QString>

class VCardContactBuilder;
struct VCardLine;

// The mapper of the vCard reader: one small reader per property, found by the
// property name in a table, each taking its values from the neutral line into
// the contact builder.
class VCardPropertyReaders {
public:
    VCardPropertyReaders() = delete;

    enum class Result {
        Used, // the line gave the contact a value
        Ignored, // a property this reader leaves alone on purpose (UID, REV, CATEGORIES, …)
        Unknown, // no reader for this property
        Skipped, // a known property whose value could not be used; see the reason
    };

    static Result read(const VCardLine &line, VCardContactBuilder &builder, QString *reason);
};
