#pragma once

#include <QString>
#include <QStringList>

class QPagedPaintDevice;

// The job options that a CUPS queue is handed with the pages, as the print
// dialog leaves them on the printer: a flat list of names each followed by
// its value ("page-set", "odd", "number-up", "2", …).
class PrinterJobOptions {
public:
    PrinterJobOptions() = delete;

    // Whether the device prints on a CUPS queue, which takes job options;
    // a PDF file, a printer's file output or an image does not.
    [[nodiscard]] static bool takenBy(const QPagedPaintDevice &device);
    // Empty where the device takes none.
    [[nodiscard]] static QStringList of(const QPagedPaintDevice &device);
    // Hands the options to a device that takes them; nothing otherwise.
    static void give(QPagedPaintDevice &device, const QStringList &options);

    // The option's value; empty where the list has none.
    [[nodiscard]] static QString value(const QStringList &options, const QString &name);
    // The option's value, replaced where the list has it, appended otherwise.
    static void set(QStringList &options, const QString &name, const QString &value);
    // The option's value, taken out of the list; empty where it has none.
    [[nodiscard]] static QString take(QStringList &options, const QString &name);
};
