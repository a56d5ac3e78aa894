#include "platform/contacts/vcard/VCardFolding_p.h"

namespace {

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

void VCardFolding::appendFoldedLine(std::string &out, std::string_view line)
{
    std::size_t position = 0;
    std::size_t room = maximumLineOctets;
    while (line.size() - position > room) {
        std::size_t cut = position + room;
        while (cut > position && isContinuationByte(line[cut]))
            --cut;
        if (cut == position)
            cut = position + room; // not UTF-8: cut where the octets run out
        out.append(line.substr(position, cut - position));
        out.append("\r\n ", 3);
        position = cut;
        room = maximumLineOctets - 1; // the leading space takes one octet
    }
    out.append(line.substr(position));
    out.append("\r\n", 2);
}
