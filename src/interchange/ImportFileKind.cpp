#include "interchange/ImportFileKind.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

bool isWhiteSpace(char16_t unit)
{
    return unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n' || unit == u'\v' || unit == u'\f';
}

// How the head's code units are laid out: one byte each, or two in either
// order. UTF-16 without a mark shows a NUL byte beside each ASCII character.
struct Units {
    QByteArrayView bytes;
    int width = 1;
    bool bigEndian = false;

    static Units of(QByteArrayView head)
    {
        if (head.startsWith("\xEF\xBB\xBF"))
            return {head.sliced(3)};
        if (head.startsWith("\xFF\xFE"))
            return {head.sliced(2), 2, false};
        if (head.startsWith("\xFE\xFF"))
            return {head.sliced(2), 2, true};
        if (head.size() >= 2 && head[0] != '\0' && head[1] == '\0')
            return {head, 2, false};
        if (head.size() >= 2 && head[0] == '\0' && head[1] != '\0')
            return {head, 2, true};
        return {head};
    }

    [[nodiscard]] qsizetype count() const { return bytes.size() / width; }

    [[nodiscard]] char16_t at(qsizetype index) const
    {
        if (width == 1)
            return char16_t(uchar(bytes[index]));
        const auto first = uchar(bytes[2 * index]);
        const auto second = uchar(bytes[2 * index + 1]);
        return bigEndian ? char16_t(first << 8 | second) : char16_t(second << 8 | first);
    }
};

} // namespace

bool ImportFileKind::beginsWithVCard(QByteArrayView head)
{
    static constexpr char16_t begin[] = u"BEGIN:VCARD";
    static constexpr qsizetype beginLength = std::size(begin) - 1;
    const Units units = Units::of(head);
    qsizetype start = 0;
    while (start < units.count() && isWhiteSpace(units.at(start)))
        ++start;
    if (units.count() - start < beginLength)
        return false;
    for (qsizetype index = 0; index < beginLength; ++index) {
        char16_t unit = units.at(start + index);
        if (unit >= u'a' && unit <= u'z')
            unit = char16_t(unit - u'a' + u'A');
        if (unit != begin[index])
            return false;
    }
    // "BEGIN:VCARDS" is a word of some other text.
    const qsizetype after = start + beginLength;
    return after == units.count() || isWhiteSpace(units.at(after));
}

ImportFileKind::Kind ImportFileKind::ofExtension(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"vcf" || suffix == u"vcard")
        return Kind::VCard;
    if (suffix == u"csv" || suffix == u"txt")
        return Kind::Csv;
    return Kind::Undecided;
}

ImportFileKind::Kind ImportFileKind::ofFile(const QString &path, Kind fallback)
{
    if (!QFileInfo(path).isFile())
        return fallback;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fallback;
    return beginsWithVCard(file.read(headBytes)) ? Kind::VCard : fallback;
}
