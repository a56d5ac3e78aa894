#include "print/NameString.h"

#include "model/HagakiLayoutFields.h"
#include "print/ComposedCharacters_p.h"
#include "print/TextObject.h"

#include <algorithm>

namespace {

constexpr int jointNamesPrinted = 3;

// The family and given names: the name's parts, or, when both are empty, the
// display name split at its first ideographic space, else at its first space
// (one it begins with splits nothing).
std::pair<QString, QString> familyAndGiven(const TextObject &object)
{
    QString family = object.nameDict->lastName;
    QString given = object.nameDict->firstName;
    if (!family.isEmpty() || !given.isEmpty())
        return {family, given};
    const QString &display = object.displayName;
    if (display.isEmpty())
        return {QStringLiteral("No name"), QString()};
    for (const QChar space : {QChar(0x3000), QChar(u' ')}) {
        const qsizetype at = display.indexOf(space);
        if (at > 0)
            return {display.left(at), display.mid(at + 1)};
    }
    return {display, QString()};
}

bool isHonorificBefore(const QString &keishou)
{
    static const QStringList before{
        QStringLiteral("Mr."), QStringLiteral("Mrs."), QStringLiteral("Ms."), QStringLiteral("Dr.")};
    return before.contains(keishou);
}

} // namespace

NameString::Honorific NameString::placedHonorific(const QString &keishou, QStringView separator)
{
    if (keishou.isEmpty() || keishou == QLatin1String("None"))
        return {};
    if (isHonorificBefore(keishou))
        return {keishou + separator, {}};
    return {{}, separator + keishou};
}

QString NameString::spacedCharacters(QStringView text)
{
    QString spaced;
    spaced.reserve(text.size() * 2);
    ComposedCharacters::forEach(text, [&](qsizetype start, qsizetype length) {
        spaced += text.sliced(start, length);
        spaced += u' ';
    });
    return spaced;
}

qsizetype NameString::characterCount(QStringView text)
{
    qsizetype count = 0;
    ComposedCharacters::forEach(text, [&count](qsizetype, qsizetype) { ++count; });
    return count;
}

QString NameString::nameString(
    const TextObject &object, const HagakiLayoutFields *layout, bool sender, const QString &keishou)
{
    if (!object.nameDict)
        return {};
    const bool jointNames = layout && layout->printsRenmei();
    const QStringList renmei = jointNames ? object.renmei.value_or(QStringList()) : QStringList();
    auto [family, given] = familyAndGiven(object);
    const Honorific honorific = sender ? Honorific() : placedHonorific(keishou, {});
    family.prepend(honorific.before);

    qsizetype widest = characterCount(given);
    for (const QString &jointName : renmei)
        widest = std::max(widest, characterCount(jointName));

    QString text = spacedCharacters(family);
    if (!given.isEmpty())
        text += QString(1 + widest - characterCount(given), u' ') + spacedCharacters(given);
    if (text.isEmpty())
        return text;
    // The sender's lines lose their last space; a receiver's end with the
    // honorific, when it is one set after the name.
    const auto endLines = [&] {
        if (sender)
            text.chop(1);
        else
            text += honorific.after;
    };
    endLines();
    for (qsizetype entry = 0; entry < std::min<qsizetype>(renmei.size(), jointNamesPrinted); ++entry) {
        if (renmei.at(entry).isEmpty())
            continue;
        text += u'\n' + spacedCharacters(renmei.at(entry));
        endLines();
    }
    return text;
}
