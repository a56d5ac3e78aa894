#include "platform/widgets/FontResolver.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QMutex>
#include <QStringList>

#include <algorithm>

namespace {

bool containsAny(const QString &name, const QStringList &words)
{
    return std::any_of(words.cbegin(), words.cend(),
        [&name](const QString &word) { return name.contains(word, Qt::CaseInsensitive); });
}

const QStringList &standInsFor(FontResolver::Kind kind)
{
    static const QStringList gothic{QStringLiteral("IPAexGothic"), QStringLiteral("Noto Sans CJK JP")};
    static const QStringList mincho{QStringLiteral("IPAexMincho"), QStringLiteral("Noto Serif CJK JP")};
    static const QStringList none;
    switch (kind) {
    case FontResolver::Kind::Gothic:
        return gothic;
    case FontResolver::Kind::Mincho:
        return mincho;
    case FontResolver::Kind::Other:
        break;
    }
    return none;
}

} // namespace

FontResolver::Kind FontResolver::kindOfName(const QString &name)
{
    // "Mincho" first: "Hiragino Mincho ProN" and "Yu Mincho" name no gothic.
    // "Serif" only after "Sans": the generic "Sans Serif" and "Microsoft Sans
    // Serif" are sans faces, while a serif face named "… Sans" does not exist.
    if (containsAny(name, {QStringLiteral("Mincho"), QStringLiteral("明朝")}))
        return Kind::Mincho;
    if (containsAny(name,
            {QStringLiteral("Gothic"), QStringLiteral("ゴシック"), QStringLiteral("Maru"), QStringLiteral("Sans"),
                QStringLiteral("Kaku")}))
        return Kind::Gothic;
    if (containsAny(name, {QStringLiteral("Serif")}))
        return Kind::Mincho;
    return Kind::Other;
}

bool FontResolver::isInstalled(const QString &family)
{
    return !family.isEmpty() && QFontDatabase::hasFamily(family);
}

bool FontResolver::hasFace(const QString &name)
{
    if (isInstalled(name))
        return true;
    const QStringList &standIns = standInsFor(kindOfName(name));
    return std::any_of(standIns.cbegin(), standIns.cend(), &FontResolver::isInstalled);
}

QString FontResolver::resolvedFamily(const QString &name)
{
    return resolvedFace(name).family;
}

std::optional<FontResolver::Face> FontResolver::familyAndStyle(const QString &name)
{
    // The family is the longest installed one the name starts with: "Noto
    // Sans CJK JP Bold" is not a style of "Noto Sans".
    for (qsizetype space = name.lastIndexOf(u' '); space > 0; space = name.lastIndexOf(u' ', space - 1)) {
        const QString family = name.left(space);
        if (!isInstalled(family))
            continue;
        const QString style = name.mid(space + 1);
        if (QFontDatabase::styles(family).contains(style))
            return Face{family, style};
    }
    return std::nullopt;
}

QString FontResolver::faceName(const QString &family, const QString &style)
{
    const bool regular = style.isEmpty()
        || (QFontDatabase::weight(family, style) == QFont::Normal && !QFontDatabase::italic(family, style));
    return regular ? family : family + u' ' + style;
}

QString FontResolver::faceName(const QFont &font)
{
    QString style = font.styleName();
    if (style.isEmpty())
        style = QFontDatabase::styleString(font);
    return faceName(font.family(), style);
}

FontResolver::Face FontResolver::resolvedFace(const QString &name)
{
    // The font database answers slowly the first time and the names asked for
    // are few; the answers hold for the life of the process.
    static QMutex mutex;
    static QHash<QString, Face> resolved;
    const QMutexLocker locker(&mutex);
    if (const auto found = resolved.constFind(name); found != resolved.cend())
        return *found;
    QString family = QGuiApplication::font().family();
    if (isInstalled(name)) {
        family = name;
    } else if (const std::optional<Face> face = familyAndStyle(name)) {
        resolved.insert(name, *face);
        return *face;
    } else {
        for (const QString &candidate : standInsFor(kindOfName(name))) {
            if (isInstalled(candidate)) {
                family = candidate;
                break;
            }
        }
    }
    const Face face{family, {}};
    resolved.insert(name, face);
    return face;
}

QFont FontResolver::font(const QString &name, qreal pointSize)
{
    const Face face = resolvedFace(name);
    QFont font(face.family);
    if (!face.style.isEmpty())
        font.setStyleName(face.style);
    if (pointSize > 0)
        font.setPointSizeF(pointSize);
    return font;
}
