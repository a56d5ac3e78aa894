#include "platform/UserDefaults.h"

#include "platform/ApplicationPaths.h"
#include "platform/StoredValue.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSettings>
#include <QStandardPaths>

namespace {

// QJsonDocument holds only arrays and objects: a value is written as the
// text of a one-element array without its brackets.
QString encodedValue(const QVariant &value)
{
    const QByteArray text = QJsonDocument(QJsonArray{StoredValue::toJson(value)}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(text.mid(1, text.size() - 2));
}

QVariant decodedValue(const QString &key, const QVariant &stored)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson('[' + stored.toString().toUtf8() + ']', &error);
    if (error.error != QJsonParseError::NoError || !document.isArray() || document.array().size() != 1) {
        qWarning("%s: ERROR unreadable value of %s: %s", Q_FUNC_INFO, qPrintable(key), qPrintable(error.errorString()));
        return {};
    }
    return StoredValue::fromJson(document.array().first());
}

} // namespace

UserDefaults::UserDefaults(const QString &filePath)
    : m_filePath(filePath)
{
    // QSettings would make a missing folder as the umask has it.
    ApplicationPaths::makeOwnerOnlyFolder(QFileInfo(filePath).absolutePath());
    if (QFile::exists(filePath))
        ApplicationPaths::makeOwnerOnly(filePath);
    // QSettings replaces a file it could not read with the little it could
    // make of it.
    if (openSettings() != QSettings::NoError) {
        qWarning("%s: ERROR can't read %s (status %d); a copy of it is kept before it is written again", Q_FUNC_INFO,
            qPrintable(filePath), int(m_settings->status()));
        m_keepCopyBeforeWrite = true;
    }
}

QSettings::Status UserDefaults::openSettings()
{
    m_settings = std::make_unique<QSettings>(m_filePath, QSettings::IniFormat);
    // QSettings writes its changes from its thread's event loop; a pool
    // thread that reads the defaults first has none.
    if (QCoreApplication::instance())
        m_settings->moveToThread(QCoreApplication::instance()->thread());
    // The file is read on first use, and only then is its status known.
    (void)m_settings->allKeys();
    return m_settings->status();
}

UserDefaults::~UserDefaults()
{
    m_settings->sync();
}

QString UserDefaults::standardFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/Quillmark.conf");
}

UserDefaults &UserDefaults::standardUserDefaults()
{
    static UserDefaults defaults(standardFilePath());
    return defaults;
}

void UserDefaults::registerDefaults(const QVariantMap &defaults)
{
    const QMutexLocker locker(&m_mutex);
    m_registeredDefaults.insert(defaults);
}

QVariant UserDefaults::storedValue(const QString &key) const
{
    const QVariant stored = m_settings->value(key);
    return stored.isValid() ? decodedValue(key, stored) : QVariant();
}

QVariant UserDefaults::objectForKey(const QString &key) const
{
    const QMutexLocker locker(&m_mutex);
    const QVariant stored = storedValue(key);
    return stored.isValid() ? stored : m_registeredDefaults.value(key);
}

QString UserDefaults::stringForKey(const QString &key) const
{
    return StoredValue::toString(objectForKey(key));
}

bool UserDefaults::boolForKey(const QString &key) const
{
    return StoredValue::toBool(objectForKey(key));
}

QVariantList UserDefaults::arrayForKey(const QString &key) const
{
    return StoredValue::toArray(objectForKey(key));
}

QStringList UserDefaults::stringArrayForKey(const QString &key) const
{
    QStringList strings;
    for (const QVariant &item : arrayForKey(key)) {
        if (item.typeId() != QMetaType::QString)
            return {};
        strings.append(item.toString());
    }
    return strings;
}

QVariantMap UserDefaults::dictionaryForKey(const QString &key) const
{
    return StoredValue::toDictionary(objectForKey(key));
}

QByteArray UserDefaults::dataForKey(const QString &key) const
{
    return StoredValue::toData(objectForKey(key));
}

void UserDefaults::setObject(const QVariant &value, const QString &key)
{
    if (!value.isValid()) {
        removeObjectForKey(key);
        return;
    }
    const QMutexLocker locker(&m_mutex);
    prepareForWrite();
    m_settings->setValue(key, encodedValue(value));
}

void UserDefaults::removeObjectForKey(const QString &key)
{
    const QMutexLocker locker(&m_mutex);
    prepareForWrite();
    m_settings->remove(key);
}

void UserDefaults::removePersistentDomain()
{
    const QMutexLocker locker(&m_mutex);
    prepareForWrite();
    m_settings->clear();
}

// Called with m_mutex held, before each change: QSettings writes the changes
// later, into the file as it finds it.
void UserDefaults::prepareForWrite()
{
    if (m_keepCopyBeforeWrite) {
        m_keepCopyBeforeWrite = false;
        m_reopenAfterSync = true;
        if (QFile::exists(m_filePath))
            ApplicationPaths::keepBackupCopy(m_filePath);
    }
    if (m_fileIsOwnerOnly)
        return;
    // QSettings keeps the permissions of a file that exists, and makes a new
    // one as the umask has it.
    QFile file(m_filePath);
    if (!file.exists() && !file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFile::ReadOwner | QFile::WriteOwner))
        qWarning("%s: ERROR can't create %s: %s", Q_FUNC_INFO, qPrintable(m_filePath), qPrintable(file.errorString()));
    m_fileIsOwnerOnly = true;
}

QVariantMap UserDefaults::dictionaryRepresentation() const
{
    const QMutexLocker locker(&m_mutex);
    QVariantMap values = m_registeredDefaults;
    for (const QString &key : m_settings->allKeys())
        values.insert(key, storedValue(key));
    return values;
}

bool UserDefaults::synchronize()
{
    const QMutexLocker locker(&m_mutex);
    m_settings->sync();
    // QSettings keeps reporting the file it could not read after it has
    // written a whole one in its place.
    if (m_reopenAfterSync && m_settings->status() == QSettings::FormatError) {
        m_reopenAfterSync = false;
        openSettings();
    }
    if (m_settings->status() != QSettings::NoError) {
        qWarning("%s: ERROR can't synchronize %s (status %d)", Q_FUNC_INFO, qPrintable(m_filePath),
            int(m_settings->status()));
        return false;
    }
    return true;
}
