#pragma once

#include <QString>
#include <QtGlobal>

// One text encoding of the encoding chooser's list, with whether the user
// keeps it in the short list of the encoding pop-up.
struct EncodingRow {
    bool checkBox = false; // "checkBox"
    quint32 nsEncoding = 0; // "nsEncoding": the encoding's id in TextEncodingTable
    QString encodingName; // "encodingName": "word (name)", or the name alone

    bool operator==(const EncodingRow &) const = default;
};
