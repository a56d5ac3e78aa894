#include "PdfWords.h"

#include "common/TestEnvironment.h"
#include "print/HagakiView.h"
#include "print/PageRenderer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QPdfWriter>
#include <QProcess>
#include <QXmlStreamReader>

using namespace Qt::Literals::StringLiterals;

namespace PdfWords {

QString outputFolder()
{
    const QString screenshots = qEnvironmentVariable("QUILLMARK_SCREENSHOT_DIR");
    if (screenshots.isEmpty())
        return TestEnvironment::makeScratchFolder(u"printed-postcards"_s);
    QDir().mkpath(screenshots);
    return screenshots;
}

namespace {

// pdftotext's XHTML of the words and their boxes; empty when it failed.
QByteArray boxesOf(const QString &path)
{
    QProcess pdftotext;
    pdftotext.start(u"pdftotext"_s, {u"-bbox"_s, path, u"-"_s});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed: " << pdftotext.readAllStandardError().toStdString();
        return {};
    }
    return pdftotext.readAllStandardOutput();
}

double number(const QXmlStreamReader &xml, const char *name)
{
    return xml.attributes().value(QLatin1String(name)).toDouble();
}

} // namespace

QList<Page> pdfWords(const QString &path)
{
    QList<Page> pages;
    QXmlStreamReader xml(boxesOf(path));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("page")) {
            pages.append(Page());
        } else if (xml.name() == QLatin1String("word") && !pages.isEmpty()) {
            const QRectF box(
                QPointF(number(xml, "xMin"), number(xml, "yMin")), QPointF(number(xml, "xMax"), number(xml, "yMax")));
            pages.last().append(Word{xml.readElementText().normalized(QString::NormalizationForm_KC), box});
        }
    }
    return pages;
}

QList<QSizeF> pageSizes(const QString &path)
{
    QList<QSizeF> sizes;
    QXmlStreamReader xml(boxesOf(path));
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("page"))
            sizes.append(QSizeF(number(xml, "width"), number(xml, "height")));
    }
    return sizes;
}

QRectF inkedArea(const Page &page)
{
    QRectF area;
    for (const Word &word : page)
        area = area.isNull() ? word.box : area.united(word.box);
    return area;
}

QString printToPdf(HagakiView &view, const QString &name)
{
    const QString path = QDir(outputFolder()).filePath(name);
    QPdfWriter writer(path);
    writer.setResolution(72);
    writer.setPageLayout(view.printInfo()->pageLayout());
    EXPECT_TRUE(PageRenderer::renderPages(view.document(), writer));
    return path;
}

bool holds(const Page &page, const QString &text)
{
    return std::any_of(page.cbegin(), page.cend(), [&text](const Word &word) { return word.text.contains(text); });
}

bool holdsRunTogether(const Page &page, const QString &text)
{
    QString words;
    for (const Word &word : page)
        words += word.text;
    return words.contains(text);
}

} // namespace PdfWords
