#include "platform/RecentStrings.h"

#include <array>
#include <cstdint>

namespace {

constexpr std::size_t slotCount = 256;

QString &slotOf(QStringView text)
{
    // FNV-1a over the UTF-16 units.
    std::uint32_t hash = 2166136261u;
    for (const QChar c : text)
        hash = (hash ^ c.unicode()) * 16777619u;
    thread_local std::array<QString, slotCount> recent;
    return recent[hash % slotCount];
}

} // namespace

QString RecentStrings::shared(QStringView text)
{
    if (text.isEmpty() || text.size() > longestShared)
        return text.toString();
    QString &slot = slotOf(text);
    if (slot != text)
        slot = text.toString();
    return slot;
}

QString RecentStrings::shared(const QString &text)
{
    if (text.isEmpty() || text.size() > longestShared)
        return text;
    QString &slot = slotOf(text);
    if (slot != text)
        slot = text;
    return slot;
}
