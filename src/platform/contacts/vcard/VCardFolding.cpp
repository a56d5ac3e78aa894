#include "platform/contacts/vcard/VCardFolding_p.h"

namespace {

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

void VCardFolding::appendFoldedLine(QByteArray &out, QByteArrayView line)
{
    qsizetype position = 0;
    qsizetype room = maximumLineOctets;
    while (line.size() - position > room) {
        qsizetype cut = position + room;
        while (cut > position && isContinuationByte(line.at(cut)))
            --cut;
        if (cut == position)
            cut = position + room; // not UTF-8: cut where the octets run out
        out.append(line.sliced(position, cut - position));
        out.append("\r\n ", 3);
        position = cut;
        room = maximumLineOctets - 1; // the leading space takes one octet
    }
    out.append(line.sliced(position));
    out.append("\r\n", 2);
}
