#include "platform/RecentStrings.h"

#include <array>
#include <cstdint>

namespace {

constexpr std::size_t slotCount = 256;

QString &slotOf(QStringView text)
{
    // FNV-1a over the length and at most ten of the units: the first four,
    // two in the middle and the last four. Texts that differ elsewhere only
    // share a slot, which costs a string made again, never a wrong one.
    const qsizetype size = text.size();
    const auto mix = [](std::uint32_t hash, std::uint32_t unit) { return (hash ^ unit) * 16777619u; };
    std::uint32_t hash = mix(2166136261u, std::uint32_t(size));
    const char16_t *const units = text.utf16();
    if (size <= 10) {
        for (qsizetype i = 0; i < size; ++i)
            hash = mix(hash, units[i]);
    } else {
        for (const qsizetype i : {qsizetype(0), qsizetype(1), qsizetype(2), qsizetype(3), size / 2 - 1, size / 2,
                 size - 4, size - 3, size - 2, size - 1})
            hash = mix(hash, units[i]);
    }
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

QString RecentStrings::found(QStringView text)
{
    if (text.isEmpty() || text.size() > longestShared)
        return QString();
    const QString &slot = slotOf(text);
    return slot == text ? slot : QString();
}

void RecentStrings::remember(const QString &text)
{
    if (!text.isEmpty() && text.size() <= longestShared)
        slotOf(text) = text;
}
