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
    // "Mincho" first: "Hiragino Mincho ProN" and "Yu Mincho" name no gothic,
    // while a serif face named "… Sans" does not exist.
    if (containsAny(name, {QStringLiteral("Mincho"), QStringLiteral("明朝"), QStringLiteral("Serif")}))
        return Kind::Mincho;
    if (containsAny(name,
            {QStringLiteral("Gothic"), QStringLiteral("ゴシック"), QStringLiteral("Maru"), QStringLiteral("Sans"),
                QStringLiteral("Kaku")}))
        return Kind::Gothic;
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
    // The font database answers slowly the first time and the names asked for
    // are few; the answers hold for the life of the process.
    static QMutex mutex;
    static QHash<QString, QString> resolved;
    const QMutexLocker locker(&mutex);
    if (const auto found = resolved.constFind(name); found != resolved.cend())
        return *found;
    QString family = QGuiApplication::font().family();
    if (isInstalled(name)) {
        family = name;
    } else {
        for (const QString &candidate : standInsFor(kindOfName(name))) {
            if (isInstalled(candidate)) {
                family = candidate;
                break;
            }
        }
    }
    resolved.insert(name, family);
    return family;
}

QFont FontResolver::font(const QString &name, qreal pointSize)
{
    QFont font(resolvedFamily(name));
    if (pointSize > 0)
        font.setPointSizeF(pointSize);
    return font;
}
