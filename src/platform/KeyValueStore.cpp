#include "platform/KeyValueStore.h"

#include "platform/ApplicationPaths.h"
#include "platform/StoredValue.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString formatKey = QStringLiteral("format");
const QString formatName = QStringLiteral("Quillmark key-value store");
const QString versionKey = QStringLiteral("version");
const QString valuesKey = QStringLiteral("values");
constexpr int currentVersion = 1;

// The values of a store file, or an error text when it isn't one this
// version can read.
struct ParsedFile {
    QVariantMap values;
    QString error;
};

ParsedFile parseFile(const QByteArray &bytes)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return {{}, QStringLiteral("%1 at offset %2").arg(parseError.errorString()).arg(parseError.offset)};
    const QJsonObject root = document.object();
    if (root.value(formatKey).toString() != formatName || !root.value(valuesKey).isObject())
        return {{}, QStringLiteral("not a key-value store file")};
    const int version = root.value(versionKey).toInt();
    if (version < 1 || version > currentVersion)
        return {{}, QStringLiteral("unknown version %1").arg(version)};
    ParsedFile parsed;
    const QJsonObject values = root.value(valuesKey).toObject();
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        parsed.values.insert(it.key(), StoredValue::fromJson(it.value()));
    return parsed;
}

QByteArray serialized(const QVariantMap &values)
{
    QJsonObject valuesObject;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        valuesObject.insert(it.key(), StoredValue::toJson(it.value()));
    const QJsonObject root{{formatKey, formatName}, {versionKey, currentVersion}, {valuesKey, valuesObject}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

QString defaultStorePath()
{
    const QString folder = ApplicationPaths::applicationDataFolder();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/KeyValueStore.json");
}

} // namespace

KeyValueStore::KeyValueStore(const QString &filePath, QObject *parent)
    : QObject(parent)
    , m_filePath(filePath)
{
    // The address book is first loaded on a pool thread, which has no event
    // loop to run the coalesced writes.
    if (!parent && QCoreApplication::instance())
        moveToThread(QCoreApplication::instance()->thread());
    load();
}

KeyValueStore::~KeyValueStore()
{
    synchronize();
}

KeyValueStore &KeyValueStore::defaultStore()
{
    // Written at quit and, should the application end without its event
    // loop, once more when the store is destroyed at exit.
    static KeyValueStore store(defaultStorePath());
    static const bool connected = QCoreApplication::instance()
        && QObject::connect(
            QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &store, &KeyValueStore::synchronize);
    Q_UNUSED(connected);
    return store;
}

bool KeyValueStore::isAvailable() const
{
    if (m_filePath.isEmpty())
        return false;
    const QFileInfo folder(QFileInfo(m_filePath).absolutePath());
    return folder.isDir() && folder.isWritable();
}

void KeyValueStore::load()
{
    ApplicationPaths::removeInterruptedWrites(m_filePath);
    QFile file(m_filePath);
    if (m_filePath.isEmpty() || !file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("%s: ERROR can't read %s: %s", Q_FUNC_INFO, qPrintable(m_filePath), qPrintable(file.errorString()));
        m_fileUnreadable = true;
        return;
    }
    ParsedFile parsed = parseFile(file.readAll());
    if (!parsed.error.isEmpty()) {
        qWarning("%s: ERROR unreadable %s: %s", Q_FUNC_INFO, qPrintable(m_filePath), qPrintable(parsed.error));
        m_fileUnreadable = true;
        return;
    }
    m_values = std::move(parsed.values);
}

QVariant KeyValueStore::objectForKey(const QString &key) const
{
    const QMutexLocker locker(&m_mutex);
    return m_values.value(key);
}

QString KeyValueStore::stringForKey(const QString &key) const
{
    return StoredValue::toString(objectForKey(key));
}

bool KeyValueStore::boolForKey(const QString &key) const
{
    return StoredValue::toBool(objectForKey(key));
}

QVariantList KeyValueStore::arrayForKey(const QString &key) const
{
    return StoredValue::toArray(objectForKey(key));
}

QVariantMap KeyValueStore::dictionaryForKey(const QString &key) const
{
    return StoredValue::toDictionary(objectForKey(key));
}

QByteArray KeyValueStore::dataForKey(const QString &key) const
{
    return StoredValue::toData(objectForKey(key));
}

QVariantMap KeyValueStore::dictionaryRepresentation() const
{
    const QMutexLocker locker(&m_mutex);
    return m_values;
}

void KeyValueStore::setObject(const QVariant &value, const QString &key)
{
    if (!value.isValid()) {
        removeObjectForKey(key);
        return;
    }
    const QMutexLocker locker(&m_mutex);
    m_values.insert(key, value);
    markChanged();
}

void KeyValueStore::removeObjectForKey(const QString &key)
{
    const QMutexLocker locker(&m_mutex);
    if (m_values.remove(key) > 0)
        markChanged();
}

// Called with m_mutex held. Many changes in one turn make one write.
void KeyValueStore::markChanged()
{
    m_changed = true;
    if (m_writeScheduled)
        return;
    m_writeScheduled = true;
    QMetaObject::invokeMethod(this, &KeyValueStore::writeIfChanged, Qt::QueuedConnection);
}

void KeyValueStore::writeIfChanged()
{
    {
        const QMutexLocker locker(&m_mutex);
        m_writeScheduled = false;
    }
    synchronize();
}

bool KeyValueStore::synchronize()
{
    const QMutexLocker writeLocker(&m_writeMutex);
    QVariantMap snapshot;
    {
        const QMutexLocker locker(&m_mutex);
        if (!m_changed)
            return true;
        snapshot = m_values;
        m_changed = false;
    }
    if (write(snapshot))
        return true;
    const QMutexLocker locker(&m_mutex);
    m_changed = true;
    return false;
}

QString KeyValueStore::lastError() const
{
    const QMutexLocker locker(&m_mutex);
    return m_lastError;
}

bool KeyValueStore::write(const QVariantMap &values)
{
    QString error;
    if (m_fileUnreadable && QFile::exists(m_filePath) && !ApplicationPaths::keepBackupCopy(m_filePath))
        error = QCoreApplication::translate("KeyValueStore", "A copy of the unreadable file could not be kept.");
    else if (!ApplicationPaths::makeOwnerOnlyFolder(QFileInfo(m_filePath).absolutePath()))
        error = QCoreApplication::translate("KeyValueStore", "Its folder could not be created.");
    else if (ApplicationPaths::writeOwnerOnlyFile(m_filePath, serialized(values), &error))
        m_fileUnreadable = false;
    const QMutexLocker locker(&m_mutex);
    m_lastError = error;
    return error.isEmpty();
}
