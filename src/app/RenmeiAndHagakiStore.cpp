#include "app/RenmeiAndHagakiStore.h"

#include "app/RenmeiAndHagakiFile_p.h"

#include "model/MVPerson.h"
#include "platform/ApplicationPaths.h"
#include "platform/KeyValueStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The "HagakiLayout" string of one address, taken from the record in hand:
// asking the person by label index formats all its addresses again each time.
[[nodiscard]] QString layoutStringOfAddress(const MVPerson &person, const LabeledValueRecord &address)
{
    return person.layoutStringFromHagakiLayoutDict(&address.layout);
}

[[nodiscard]] const RenmeiAndHagakiRecord::HagakiEntry *matchingEntry(
    const RenmeiAndHagakiRecord &record, const LabeledValueRecord &address)
{
    const QString label = address.labelText();
    for (const RenmeiAndHagakiRecord::HagakiEntry &entry : record.hagakiArray) {
        if (entry.label == label && entry.addressString == address.stringValue)
            return &entry;
    }
    return nullptr;
}

void mergeInto(RenmeiAndHagakiContainers &stored, const RenmeiAndHagakiContainers &changes)
{
    for (auto container = changes.cbegin(); container != changes.cend(); ++container) {
        RenmeiAndHagakiRecords &target = stored[container.key()];
        for (auto record = container->cbegin(); record != container->cend(); ++record) {
            if (record->isEmpty())
                target.remove(record.key());
            else
                target.insert(record.key(), *record);
        }
        if (target.isEmpty())
            stored.remove(container.key());
    }
}

} // namespace

RenmeiAndHagakiStore::RenmeiAndHagakiStore(KeyValueStore *keyValueStore, const QString &filePath)
    : m_keyValueStore(keyValueStore)
    , m_filePath(filePath.isEmpty() ? defaultFilePath() : filePath)
{
}

QString RenmeiAndHagakiStore::fileName()
{
    return QStringLiteral("RenmeiAndHagakiContainers.data");
}

QString RenmeiAndHagakiStore::defaultFilePath()
{
    const QString folder = ApplicationPaths::applicationDataFolder();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + fileName();
}

RenmeiAndHagakiRecord RenmeiAndHagakiStore::makeRenmeiAndHagakiDict(MVPerson &person)
{
    RenmeiAndHagakiRecord record;
    const QString renmei = person.stringValues()->value(FieldId::Renmei);
    if (!renmei.isEmpty())
        record.renmei = renmei;
    // A contact without address has no address record to take a layout
    // string from, so it has no entry.
    for (const LabeledValueRecordPtr &address : std::as_const(*person.addressValues())) {
        const QString layoutString = layoutStringOfAddress(person, *address);
        if (!layoutString.isEmpty())
            record.hagakiArray.append({address->labelText(), address->stringValue, layoutString});
    }
    return record;
}

void RenmeiAndHagakiStore::applyRenmeiAndHagakiRecord(const RenmeiAndHagakiRecord &record, MVPerson &person)
{
    if (record.renmei)
        person.setStringValue(*record.renmei, FieldId::Renmei);
    if (record.hagakiArray.isEmpty())
        return;
    // The person was just made and nothing else holds its addresses yet, so
    // the layouts are parsed into them in place; their one-line texts, which
    // the match relies on, are those the person was made with.
    LabeledValueListPtr addresses = person.heldLabeledValues(FieldId::Address);
    if (!addresses)
        addresses = person.addressValues();
    for (const LabeledValueRecordPtr &address : std::as_const(*addresses)) {
        const RenmeiAndHagakiRecord::HagakiEntry *entry = matchingEntry(record, *address);
        if (entry && !entry->layoutString.isEmpty())
            MVPerson::hagakiLayoutFromLayoutString(&address->layout, entry->layoutString);
    }
}

RenmeiAndHagakiStore::FileContents RenmeiAndHagakiStore::readFile() const
{
    QFile file(m_filePath);
    if (m_filePath.isEmpty() || !file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("%s: ERROR can't read %s: %s", Q_FUNC_INFO, qPrintable(m_filePath), qPrintable(file.errorString()));
        return {FileState::Unreadable, {}};
    }
    std::optional<RenmeiAndHagakiContainers> containers = RenmeiAndHagakiFile::decode(file.readAll(), m_filePath);
    if (!containers)
        return {FileState::Unreadable, {}};
    return {FileState::Read, std::move(*containers)};
}

std::optional<RenmeiAndHagakiContainers> RenmeiAndHagakiStore::restoreRenmeiAndHagakiContainers() const
{
    FileContents contents = readFile();
    if (contents.state != FileState::Read)
        return std::nullopt;
    return std::move(contents.containers);
}

bool RenmeiAndHagakiStore::saveRenmeiAndHagakiContainers(const RenmeiAndHagakiContainers &records) const
{
    if (m_filePath.isEmpty() || !QDir().mkpath(QFileInfo(m_filePath).absolutePath())) {
        qWarning("%s: ERROR no folder for %s", Q_FUNC_INFO, qPrintable(m_filePath));
        return false;
    }
    FileContents stored = readFile();
    if (stored.state == FileState::Unreadable && !ApplicationPaths::keepBackupCopy(m_filePath))
        return false;
    mergeInto(stored.containers, records);
    return ApplicationPaths::writeOwnerOnlyFile(m_filePath, RenmeiAndHagakiFile::encode(stored.containers));
}

void RenmeiAndHagakiStore::keyValueSaveRenmeiAndHagaki(const RenmeiAndHagakiContainers &records) const
{
    if (!m_keyValueStore)
        return;
    for (const RenmeiAndHagakiRecords &container : records) {
        for (auto record = container.cbegin(); record != container.cend(); ++record) {
            if (record->isEmpty())
                m_keyValueStore->removeObjectForKey(record.key());
            else
                keyValueSaveValue(record->toVariantMap(), record.key());
        }
    }
    m_keyValueStore->synchronize();
}

void RenmeiAndHagakiStore::keyValueSaveValue(const QVariantMap &value, const QString &key) const
{
    if (m_keyValueStore && !value.isEmpty() && !key.isEmpty())
        m_keyValueStore->setObject(value, key);
}

std::optional<RenmeiAndHagakiRecord> RenmeiAndHagakiStore::keyValueRestoreValueForKey(const QString &key) const
{
    if (!m_keyValueStore || key.isEmpty())
        return std::nullopt;
    const QVariant value = m_keyValueStore->objectForKey(key);
    if (!value.isValid())
        return std::nullopt;
    std::optional<RenmeiAndHagakiRecord> record;
    if (value.metaType().id() == QMetaType::QVariantMap)
        record = RenmeiAndHagakiRecord::fromVariantMap(value.toMap());
    if (!record)
        qWarning("%s: ERROR the entry of %s is not a side record; skipped", Q_FUNC_INFO, qPrintable(key));
    return record;
}

bool RenmeiAndHagakiStore::isKeyValueStoreAvailable() const
{
    return m_keyValueStore && m_keyValueStore->isAvailable();
}
