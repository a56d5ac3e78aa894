#pragma once

#include <QChar>
#include <QStringView>
#include <QTextBoundaryFinder>

// What a reader takes for one character: a surrogate pair (𠮷), or a base with
// its combining marks (か and U+3099), is one cell of vertical text and one
// box of a postal code, never pulled apart.
namespace ComposedCharacters {

// Calls visit(start, length) for every composed character sequence of the
// text, in order.
template <typename Visit> void forEach(QStringView text, Visit visit)
{
    QTextBoundaryFinder sequences(QTextBoundaryFinder::Grapheme, text.data(), static_cast<int>(text.size()));
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = sequences.toNextBoundary();
        if (end <= start)
            end = text.size();
        visit(start, end - start);
        start = end;
    }
}

// The code point that begins at the position.
[[nodiscard]] inline char32_t codePointAt(QStringView text, qsizetype position)
{
    const QChar first = text.at(position);
    if (first.isHighSurrogate() && position + 1 < text.size() && text.at(position + 1).isLowSurrogate())
        return QChar::surrogateToUcs4(first, text.at(position + 1));
    return first.unicode();
}

} // namespace ComposedCharacters
