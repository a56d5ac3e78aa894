#pragma once

#include <QByteArray>
#include <QMutex>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

#include <memory>

// The user's preferences ("MV1D..." keys): an INI file under the XDG config
// folder, with defaults registered at start-up that are answered but never
// written. Every value is stored as JSON text, so arrays and dictionaries
// nested to any depth come back whole, with their numbers, booleans, strings
// and byte arrays. Safe to use from any thread.
//
// The folder and the file are their owner's only. A file that can't be read
// is logged, and kept as a copy beside it before the first change replaces it.
class UserDefaults {
public:
    explicit UserDefaults(const QString &filePath);
    ~UserDefaults();
    UserDefaults(const UserDefaults &) = delete;
    UserDefaults &operator=(const UserDefaults &) = delete;

    // The application's own preferences, "Quillmark.conf" in the XDG config
    // folder of the application.
    [[nodiscard]] static UserDefaults &standardUserDefaults();
    [[nodiscard]] static QString standardFilePath();

    [[nodiscard]] QString filePath() const { return m_filePath; }

    // Adds to the registered defaults; a key already registered takes the new value.
    void registerDefaults(const QVariantMap &defaults);

    // The stored value, else the registered default, else an invalid QVariant.
    [[nodiscard]] QVariant objectForKey(const QString &key) const;
    [[nodiscard]] QString stringForKey(const QString &key) const;
    [[nodiscard]] bool boolForKey(const QString &key) const;
    [[nodiscard]] QVariantList arrayForKey(const QString &key) const;
    // Empty unless the value is an array of strings only.
    [[nodiscard]] QStringList stringArrayForKey(const QString &key) const;
    [[nodiscard]] QVariantMap dictionaryForKey(const QString &key) const;
    [[nodiscard]] QByteArray dataForKey(const QString &key) const;

    // Stores a value; an invalid QVariant removes the key.
    void setObject(const QVariant &value, const QString &key);
    void removeObjectForKey(const QString &key);
    // Removes every stored key; the registered defaults stay.
    void removePersistentDomain();

    // The registered defaults overlaid with the stored values.
    [[nodiscard]] QVariantMap dictionaryRepresentation() const;

    // Writes pending changes to the file and reads changes made by other
    // processes. False (and logged) when the file can't be written or read.
    bool synchronize();

private:
    [[nodiscard]] QVariant storedValue(const QString &key) const;
    QSettings::Status openSettings();
    void prepareForWrite();

    const QString m_filePath;
    mutable QMutex m_mutex;
    std::unique_ptr<QSettings> m_settings;
    QVariantMap m_registeredDefaults;
    bool m_keepCopyBeforeWrite = false;
    bool m_fileIsOwnerOnly = false;
    bool m_reopenAfterSync = false;
};
