#include "interchange/LiteralSearch_p.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace LiteralSearch {

namespace {

[[nodiscard]] bool matchesAt(const char16_t *text, QStringView pattern)
{
    return std::memcmp(text, pattern.utf16(), size_t(pattern.size()) * sizeof(char16_t)) == 0;
}

} // namespace

qsizetype find(QStringView text, qsizetype from, QStringView pattern)
{
    const qsizetype length = text.size();
    const qsizetype width = pattern.size();
    if (from < 0 || width > length - from) {
        return -1;
    }
    if (width <= 1) {
        return width == 0 ? from : text.indexOf(pattern.front(), from);
    }
    const char16_t *data = text.utf16();
    const char16_t first = pattern.front().unicode();
    const char16_t last = pattern.back().unicode();
    qsizetype position = from;
#if defined(__SSE2__)
    const __m128i firstMask = _mm_set1_epi16(short(first));
    const __m128i lastMask = _mm_set1_epi16(short(last));
    for (; position + width - 1 + 8 <= length; position += 8) {
        const __m128i head = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + position));
        const __m128i tail = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + position + width - 1));
        unsigned bits = unsigned(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi16(head, firstMask), _mm_cmpeq_epi16(tail, lastMask))));
        while (bits != 0) {
            const int bit = __builtin_ctz(bits);
            const qsizetype candidate = position + bit / 2;
            if (matchesAt(data + candidate, pattern)) {
                return candidate;
            }
            bits &= ~(3u << bit);
        }
    }
#endif
    for (; position + width <= length; ++position) {
        if (data[position] == first && data[position + width - 1] == last && matchesAt(data + position, pattern)) {
            return position;
        }
    }
    return -1;
}

qsizetype lineStart(QStringView text, qsizetype position)
{
    return text.first(position).lastIndexOf(u'\n') + 1;
}

qsizetype lineEnd(QStringView text, qsizetype position)
{
    const qsizetype feed = text.indexOf(u'\n', position);
    return feed < 0 ? text.size() : feed + 1;
}

} // namespace LiteralSearch
