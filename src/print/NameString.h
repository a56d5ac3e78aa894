#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

struct TextObject;
struct HagakiLayoutFields;

// The text of a postcard's name block: family and given name with a space
// after every character, so that vertical setting puts one character in each
// cell, the honorific, and up to three joint names on lines of their own,
// ending level with the name.
class NameString {
public:
    NameString() = delete;

    // What an honorific adds before a name and after it, with the separator
    // between them: postcards set none, envelopes and labels a space. "Mr.",
    // "Mrs.", "Ms." and "Dr." go before, any other ("様", "殿", "御中") after;
    // "None" or none adds nothing.
    struct Honorific {
        QString before;
        QString after;
        bool operator==(const Honorific &) const = default;
    };
    [[nodiscard]] static Honorific placedHonorific(const QString &keishou, QStringView separator);

    // The lines of the block, separated by "\n"; empty when the object has no
    // name. Joint names are printed when the layout's "Renmei" flag is on; the
    // sender gets no honorific.
    [[nodiscard]] static QString nameString(
        const TextObject &object, const HagakiLayoutFields *layout, bool sender, const QString &keishou);

    // Every character of the text followed by a space. Characters are whole
    // sequences: a surrogate pair or a base with its combining marks is
    // never pulled apart.
    [[nodiscard]] static QString spacedCharacters(QStringView text);
    [[nodiscard]] static qsizetype characterCount(QStringView text);
};
