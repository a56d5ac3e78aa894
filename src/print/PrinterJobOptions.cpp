#include "print/PrinterJobOptions.h"

#include <QPagedPaintDevice>
#include <QPrintEngine>
#include <QPrinter>

namespace {

// The key under which Qt's CUPS print engine keeps the options its print
// dialog chose; it is no public key of QPrintEngine, and any other engine
// answers it with no value.
constexpr auto cupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

QPrintEngine *cupsEngine(const QPagedPaintDevice &device)
{
    const auto *printer = dynamic_cast<const QPrinter *>(&device);
    if (!printer || printer->outputFormat() != QPrinter::NativeFormat)
        return nullptr;
    QPrintEngine *engine = printer->printEngine();
    return engine && engine->property(cupsOptionsKey).isValid() ? engine : nullptr;
}

qsizetype indexOfName(const QStringList &options, const QString &name)
{
    for (qsizetype i = 0; i + 1 < options.size(); i += 2) {
        if (options.at(i) == name)
            return i;
    }
    return -1;
}

} // namespace

bool PrinterJobOptions::takenBy(const QPagedPaintDevice &device)
{
    return cupsEngine(device) != nullptr;
}

QStringList PrinterJobOptions::of(const QPagedPaintDevice &device)
{
    const QPrintEngine *engine = cupsEngine(device);
    return engine ? engine->property(cupsOptionsKey).toStringList() : QStringList();
}

void PrinterJobOptions::give(QPagedPaintDevice &device, const QStringList &options)
{
    if (QPrintEngine *engine = cupsEngine(device))
        engine->setProperty(cupsOptionsKey, options);
}

QString PrinterJobOptions::value(const QStringList &options, const QString &name)
{
    const qsizetype at = indexOfName(options, name);
    return at < 0 ? QString() : options.at(at + 1);
}

void PrinterJobOptions::set(QStringList &options, const QString &name, const QString &value)
{
    const qsizetype at = indexOfName(options, name);
    if (at < 0)
        options << name << value;
    else
        options[at + 1] = value;
}

QString PrinterJobOptions::take(QStringList &options, const QString &name)
{
    const qsizetype at = indexOfName(options, name);
    if (at < 0)
        return {};
    const QString value = options.at(at + 1);
    options.remove(at, 2);
    return value;
}
