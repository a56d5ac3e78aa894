#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

class HagakiView;

// What a printed PDF holds, read back with pdftotext: the words of each
// page and where they stand, in points from the paper's top-left corner.
namespace PdfWords {

struct Word {
    QString text; // NFKC, so that compatibility forms compare as their plain characters
    QRectF box;
};
using Page = QList<Word>;

// Kept beside the screenshots when they are asked for, so that anyone can
// look at what was printed.
[[nodiscard]] QString outputFolder();

[[nodiscard]] QList<Page> pdfWords(const QString &path);
// Each page's width and height in points, as it lies (landscape is wider).
[[nodiscard]] QList<QSizeF> pageSizes(const QString &path);

// Prints every page of the view into a PDF of that name in the output folder
// and answers its path.
QString printToPdf(HagakiView &view, const QString &name);

// The smallest rectangle holding every word of the page.
[[nodiscard]] QRectF inkedArea(const Page &page);

// Whether a word of the page holds the text.
[[nodiscard]] bool holds(const Page &page, const QString &text);
// Whether the page's words, run together in their order, hold the text: the
// letters of a vertical line are words of their own.
[[nodiscard]] bool holdsRunTogether(const Page &page, const QString &text);

} // namespace PdfWords
