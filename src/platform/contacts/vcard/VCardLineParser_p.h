#pragma once

#include "platform/contacts/vcard/VCardLine_p.h"

// The second layer of the vCard reader: one logical content line into its
// neutral form. A small state machine walks the header once; quoted parameter
// values may hold ";", ":" and ",".
class VCardLineParser {
public:
    VCardLineParser() = delete;

    // False (and `out` unusable) when the line has no colon or no name.
    [[nodiscard]] static bool parse(QStringView line, VCardLine &out);
};
