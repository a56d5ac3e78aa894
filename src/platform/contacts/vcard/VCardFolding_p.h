#pragma once

#include "platform/contacts/vcard/ContactVCardSerialization.h"

#include <string>
#include <string_view>

// The wire rule of the vCard writer: content lines of at most 75 octets.
class VCardFolding {
public:
    VCardFolding() = delete;

    static constexpr std::size_t maximumLineOctets = ContactVCardSerialization::foldedLineOctets;

    // Appends one UTF-8 content line and its CRLF, folded (CRLF and one space)
    // so that no physical line is longer than 75 octets; a fold never falls
    // inside a UTF-8 sequence, so every physical line is valid UTF-8 on its own.
    static void appendFoldedLine(std::string &out, std::string_view line);
};
