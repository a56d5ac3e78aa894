#include "print/VerticalFontList.h"

#include "platform/widgets/FontResolver.h"
#include "platform/widgets/VerticalGlyphForms.h"

#include <QFontDatabase>
#include <QFuture>
#include <QGuiApplication>
#include <QRawFont>
#include <QSet>
#include <QThread>
#include <QtConcurrent/QtConcurrentRun>

#include <atomic>
#include <memory>
#include <mutex>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

constexpr char32_t ideographicComma = U'、';
constexpr double sampleSize = 16;

// Printer fonts whose makers' names mark them as Japanese vertical faces.
const QSet<QString> &printerFonts()
{
    static const QSet<QString> names{QStringLiteral("EPSON-GYOSHO"), QStringLiteral("EPSON-FUTO-GYOSHO"),
        QStringLiteral("EPSON-KAISHO"), QStringLiteral("EPSON-KYOKASHO"), QStringLiteral("EPSON-MARUGO"),
        QStringLiteral("EPSON-FUTO-MARUGO"), QStringLiteral("EPSON-FUTO-KAKUGO"), QStringLiteral("EPSON-FUTO-MINCHO")};
    return names;
}

// Families with vertical forms that are not Japanese faces, or that set
// Japanese badly.
const QSet<QString> &excludedFamilies()
{
    static const QSet<QString> families{QStringLiteral("Apple Color Emoji"), QStringLiteral("AppleGothic"),
        QStringLiteral("AppleMyungjo"), QStringLiteral("Apple SD Gothic Neo"), QStringLiteral("Batang"),
        QStringLiteral("Wawati SC"), QStringLiteral("Wawati TC"), QStringLiteral("Lantinghei TC"),
        QStringLiteral("Lantinghei SC"), QStringLiteral("Gulim"), QStringLiteral("GungSeo"),
        QStringLiteral("PCMyungjo"), QStringLiteral("LiHei Pro"), QStringLiteral("LiSong Pro"),
        QStringLiteral("MS Gothic"), QStringLiteral("MS Mincho"), QStringLiteral("MS PGothic"),
        QStringLiteral("MS PMincho"), QStringLiteral("Meiryo"), QStringLiteral("Osaka"), QStringLiteral("PMingLiU"),
        QStringLiteral("Baoli SC"), QStringLiteral("STFangsong"), QStringLiteral("STHeiti"), QStringLiteral("Heiti SC"),
        QStringLiteral("Heiti TC"), QStringLiteral("Kaiti TC"), QStringLiteral("STKaiti"), QStringLiteral("Kaiti SC"),
        QStringLiteral("Libian SC"), QStringLiteral("STSong"), QStringLiteral("Songti SC"), QStringLiteral("Songti TC"),
        QStringLiteral("Xingkai SC"), QStringLiteral("Yuanti SC"), QStringLiteral("SimSun"), QStringLiteral("BiauKai"),
        QStringLiteral("Apple LiGothic"), QStringLiteral("Apple LiSung"), QStringLiteral("Hei"), QStringLiteral("Kai")};
    return families;
}

struct Published {
    std::once_flag started;
    QFuture<void> build;
    std::shared_ptr<const VerticalFontEntries> fonts;
};

Published &published()
{
    static Published list;
    return list;
}

// Set as the application closes: a build still under way stops at the next
// family, since the font database goes with the application.
std::atomic<bool> closing{false};

void stopBuilding()
{
    closing = true;
    published().build.waitForFinished();
}

// The list built on a thread of its own that has ended when this returns:
// the faces the build opens, the font files they map and the engines made of
// them belong to the thread that opened them, and go with it. What they took
// is handed back to the system, so that the process keeps the list alone.
VerticalFontEntries buildOnThreadOfItsOwn()
{
    VerticalFontEntries entries;
    const std::unique_ptr<QThread> thread(QThread::create([&entries] { entries = VerticalFontList::build(); }));
    thread->start();
    thread->wait();
#ifdef __GLIBC__
    malloc_trim(0);
#endif
    return entries;
}

} // namespace

void VerticalFontList::startBuilding()
{
    Published &list = published();
    std::call_once(list.started, [&list] {
        qAddPostRoutine(stopBuilding);
        list.build = QtConcurrent::run([&list] {
            auto fonts = std::make_shared<const VerticalFontEntries>(buildOnThreadOfItsOwn());
            std::atomic_store(&list.fonts, std::shared_ptr<const VerticalFontEntries>(fonts));
        });
    });
}

std::shared_ptr<const VerticalFontEntries> VerticalFontList::fonts()
{
    startBuilding();
    published().build.waitForFinished();
    return std::atomic_load(&published().fonts);
}

bool VerticalFontList::isVerticalFace(const QString &family, const QString &style)
{
    QFont font(family);
    font.setStyleName(style);
    font.setPixelSize(int(sampleSize));
    const QRawFont raw = QRawFont::fromFont(font, QFontDatabase::Japanese);
    if (!raw.isValid() || raw.familyName() != family || !raw.supportsCharacter(ideographicComma))
        return false;
    const QList<quint32> glyphs = raw.glyphIndexesForString(QString(QChar(ideographicComma)));
    const quint32 plain = glyphs.value(0);
    if (plain == 0)
        return false;
    // Every installed face is asked once: what is learned is kept, not the
    // face's tables.
    const VerticalGlyphForms::Survey survey = VerticalGlyphForms::survey(raw, ideographicComma, plain);
    return survey.verticalGlyph != plain && survey.hasVerticalVariant;
}

VerticalFontEntries VerticalFontList::build()
{
    VerticalFontEntries entries;
    for (const QString &family : QFontDatabase::families()) {
        if (closing)
            break;
        if (family.startsWith(u'.'))
            continue;
        if (printerFonts().contains(family)) {
            entries.append({family, family});
            continue;
        }
        if (excludedFamilies().contains(family)
            || !QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese))
            continue;
        for (const QString &style : QFontDatabase::styles(family)) {
            if (!isVerticalFace(family, style))
                continue;
            const QString name = FontResolver::faceName(family, style);
            entries.append({name, name});
        }
    }
    if (entries.isEmpty()) {
        const QString standard = QGuiApplication::font().family();
        entries.append({standard, standard});
    }
    return entries;
}
