#pragma once

#include "print/PrintOptionsRecord.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

class UserDefaults;

// Builds, copies, loads and stores the print options record.
class PrintOptions {
public:
    // Where the record is stored, and the print style beside it (one of
    // "Hagaki", "Envelope", "Labels", "Address List"), which the record does
    // not hold.
    static inline const QString defaultsKey = QStringLiteral("MV1DprintOptions");
    static inline const QString printStyleKey = QStringLiteral("MV1DprintStyle");
    // Posted by the options sheet, with itself as the object, once it has
    // stored its record; observers read the stored record again.
    static inline const QString printOptionsUpdated = QStringLiteral("MV1NprintOptionsUpdated");
    // A stored record of an older layout is rebuilt whole.
    static constexpr qint64 currentVersion = 5;

    PrintOptions() = delete;

    // A new record with the defaults of the language: "ja" for the Japanese
    // ones (postcards, "様"), anything else for the English ones. Its
    // dictionaries and arrays are the record's own.
    [[nodiscard]] static PrintOptionsRecord initPrintOptions(const QString &language);

    // "ja" when the user's first preferred language is Japanese, else "en".
    [[nodiscard]] static QString preferredLanguage();
    [[nodiscard]] static QString languageOf(const QStringList &preferredLanguages);

    // A copy in which every array keeps only its dictionaries (copied the
    // same way) and strings, in order; other values are taken over.
    [[nodiscard]] static QVariantMap deepCopyDictionary(const QVariantMap &source);

    // Whether a stored value is a record of the current layout.
    [[nodiscard]] static bool isCurrentRecord(const QVariant &stored);
    // The loading rule of the options sheet and of start-up: a copy of the
    // stored record when it is current; otherwise a record built for the
    // user's language, which is stored at once in place of the old one.
    [[nodiscard]] static PrintOptionsRecordPtr loadPrintOptions(UserDefaults &defaults);
    // The preview's rule: a copy of whatever record is stored, whatever its
    // version; a built one, stored at once, only when none is.
    [[nodiscard]] static PrintOptionsRecordPtr loadStoredPrintOptions(UserDefaults &defaults);
    // Every holder stores its whole record, never a single key of it.
    static void storePrintOptions(const PrintOptionsRecord &record, UserDefaults &defaults);

private:
    [[nodiscard]] static PrintOptionsRecordPtr buildAndStore(UserDefaults &defaults);
};
