#pragma once

#include <QString>
#include <QStringView>
#include <QVarLengthArray>

#include <string>

// Backslash escapes of vCard text values, both ways.
class VCardEscaping {
public:
    VCardEscaping() = delete;

    using Components = QVarLengthArray<QStringView, 8>;

    // The text a value stands for, by ContactVCardSerialization::textEscapes.
    [[nodiscard]] static QString unescape(QStringView value);

    // The parts of a structured value (N, ADR, ORG) between separators that
    // are not escaped; the parts are still escaped.
    static void split(QStringView value, QChar separator, Components &parts);

    // The escaped UTF-8 form of a text value for a vCard 3.0 writer: backslash,
    // comma, semicolon and line ends ("\r\n", "\n", "\r" all as "\n").
    static void appendEscapedUtf8(std::string &out, QStringView value);
    // The UTF-8 form of text as it stands.
    static void appendUtf8(std::string &out, QStringView text);
};
