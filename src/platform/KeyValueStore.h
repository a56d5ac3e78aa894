#pragma once

#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

// Per-key values (strings, numbers, booleans, arrays, dictionaries, byte
// arrays) kept in memory and in one JSON file: the per-contact side data of
// joint names and postcard layouts. Changes are written once per event-loop
// turn, and at once by synchronize(), atomically (QSaveFile), readable by the
// owner only. No size limits. Reads and writes are safe from any thread; the
// coalesced writes run on the application's main thread.
//
// A file that can't be read back is logged and left as it is; the first
// write after that first keeps a copy of it beside it. Temporary files that an
// interrupted write left beside the file are removed when the store is made.
class KeyValueStore : public QObject {
    Q_OBJECT

public:
    explicit KeyValueStore(const QString &filePath, QObject *parent = nullptr);
    ~KeyValueStore() override;

    // The application's store, "KeyValueStore.json" in the application-data
    // folder; written once more as the application quits.
    [[nodiscard]] static KeyValueStore &defaultStore();

    [[nodiscard]] QString filePath() const { return m_filePath; }

    // Whether the store's folder can be written.
    [[nodiscard]] bool isAvailable() const;

    // The value under the key, or an invalid QVariant.
    [[nodiscard]] QVariant objectForKey(const QString &key) const;
    [[nodiscard]] QString stringForKey(const QString &key) const;
    [[nodiscard]] bool boolForKey(const QString &key) const;
    [[nodiscard]] QVariantList arrayForKey(const QString &key) const;
    [[nodiscard]] QVariantMap dictionaryForKey(const QString &key) const;
    [[nodiscard]] QByteArray dataForKey(const QString &key) const;
    [[nodiscard]] QVariantMap dictionaryRepresentation() const;

    // Stores a value; an invalid QVariant removes the key.
    void setObject(const QVariant &value, const QString &key);
    void removeObjectForKey(const QString &key);

    // Writes pending changes now. False (and logged) when the file can't be
    // written; the changes stay pending.
    bool synchronize();
    // Why the last write failed; empty after a write that succeeded.
    [[nodiscard]] QString lastError() const;

private:
    void load();
    void markChanged();
    void writeIfChanged();
    [[nodiscard]] bool write(const QVariantMap &values);

    const QString m_filePath;
    // Guards the values and flags; m_writeMutex keeps writes in order.
    mutable QMutex m_mutex;
    QMutex m_writeMutex;
    QVariantMap m_values;
    bool m_changed = false;
    bool m_writeScheduled = false;
    // The file on disk could not be read; back it up before replacing it.
    bool m_fileUnreadable = false;
    QString m_lastError;
};
