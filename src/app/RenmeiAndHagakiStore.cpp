#include "app/RenmeiAndHagakiStore.h"

#include "app/RenmeiAndHagakiFile_p.h"

#include "model/AddressText.h"
#include "model/HagakiLayoutString.h"
#include "model/MVPerson.h"
#include "platform/ApplicationPaths.h"
#include "platform/KeyValueStore.h"
#include "platform/TranslationContext.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString generationKey = QStringLiteral("generation");
const QString baseGenerationKey = QStringLiteral("baseGeneration");
const QString previousKey = QStringLiteral("previous");

constexpr TranslationContext tr{"RenmeiAndHagakiStore"};

[[nodiscard]] QString writeErrorText(const QString &filePath, const QString &reason)
{
    return tr("The file “%1” can't be written: %2").arg(filePath, reason);
}

// How side data written for one save reads for the store's generation.
enum class StampMatch {
    AsWritten, // the store took the save (or no generation was asked for)
    Before, // the store is still at the generation before the save
    Lagging, // the store is at another generation altogether
};

[[nodiscard]] StampMatch matchOf(qint64 generation, qint64 baseGeneration, std::optional<qint64> storeGeneration)
{
    if (!storeGeneration || generation == *storeGeneration)
        return StampMatch::AsWritten;
    return baseGeneration == *storeGeneration ? StampMatch::Before : StampMatch::Lagging;
}

// The stamp the key-value store keeps under saveStampKey(); no generation
// for a key-value store that no stamped save wrote.
struct KeyValueStamp {
    std::optional<qint64> generation;
    qint64 baseGeneration = 0;
    QVariantMap previous;
};

[[nodiscard]] KeyValueStamp keyValueStamp(const KeyValueStore &store)
{
    const QVariantMap stamp = store.dictionaryForKey(RenmeiAndHagakiStore::saveStampKey());
    if (!stamp.contains(generationKey))
        return {};
    return {stamp.value(generationKey).toLongLong(), stamp.value(baseGenerationKey).toLongLong(),
        stamp.value(previousKey).toMap()};
}

[[nodiscard]] StampMatch matchOf(const KeyValueStamp &stamp, std::optional<qint64> storeGeneration)
{
    return stamp.generation ? matchOf(*stamp.generation, stamp.baseGeneration, storeGeneration) : StampMatch::AsWritten;
}

// Written for a save later than the store's, and not one the store merely
// failed to take.
[[nodiscard]] bool isNewerThan(std::optional<qint64> generation, qint64 baseGeneration, qint64 storeGeneration)
{
    return generation && *generation > storeGeneration
        && matchOf(*generation, baseGeneration, storeGeneration) == StampMatch::Lagging;
}

// A save that leaves fewer than half the records, and at least this many
// fewer, may be a loss rather than the user's doing.
constexpr qsizetype shrinkWorthACopy = 20;

[[nodiscard]] bool shrinksMuch(qsizetype held, qsizetype left)
{
    return left * 2 < held && held - left >= shrinkWorthACopy;
}

[[nodiscard]] qsizetype recordCount(const RenmeiAndHagakiContainers &containers)
{
    qsizetype count = 0;
    for (const RenmeiAndHagakiRecords &records : containers)
        count += records.size();
    return count;
}

// The record a key-value entry holds; nothing for no entry or an empty one.
[[nodiscard]] std::optional<RenmeiAndHagakiRecord> recordOfEntry(const QVariant &value, const QString &key)
{
    if (!value.isValid() || (value.metaType().id() == QMetaType::QVariantMap && value.toMap().isEmpty()))
        return std::nullopt;
    std::optional<RenmeiAndHagakiRecord> record;
    if (value.metaType().id() == QMetaType::QVariantMap)
        record = RenmeiAndHagakiRecord::fromVariantMap(value.toMap());
    if (!record)
        qWarning("%s: ERROR the entry of %s is not a side record; skipped", Q_FUNC_INFO, qPrintable(key));
    return record;
}

[[nodiscard]] bool isSideRecord(const QVariant &value)
{
    return value.metaType().id() == QMetaType::QVariantMap
        && RenmeiAndHagakiRecord::fromVariantMap(value.toMap()).has_value();
}

[[nodiscard]] qsizetype sideRecordCount(const KeyValueStore &store)
{
    const QVariantMap all = store.dictionaryRepresentation();
    qsizetype count = 0;
    for (auto entry = all.cbegin(); entry != all.cend(); ++entry) {
        if (entry.key() != RenmeiAndHagakiStore::saveStampKey() && isSideRecord(*entry))
            ++count;
    }
    return count;
}

// The "HagakiLayout" string of one address, taken from the record in hand:
// asking the person by label index formats all its addresses again each time.
[[nodiscard]] QString layoutStringOfAddress(const MVPerson &person, const LabeledValueRecord &address)
{
    return person.layoutStringFromHagakiLayoutDict(&*address.layout);
}

[[nodiscard]] const RenmeiAndHagakiRecord::HagakiEntry *matchingEntry(
    const RenmeiAndHagakiRecord &record, const LabeledValueRecord &address)
{
    const QString label = address.labelText();
    for (const RenmeiAndHagakiRecord::HagakiEntry &entry : record.hagakiArray) {
        if (entry.label == label && entry.addressString == address.stringValue)
            return &entry;
    }
    // The text was written in the order of the country that was the default
    // one then: a store set up under en_US, started under ja_JP, holds its
    // addresses without a country code in the American order.
    for (const RenmeiAndHagakiRecord::HagakiEntry &entry : record.hagakiArray) {
        if (entry.label == label && AddressText::isTextInAnyKnownOrder(address, entry.addressString))
            return &entry;
    }
    return nullptr;
}

// The stored records of the contacts that changes names; an empty record for
// those that have none.
[[nodiscard]] RenmeiAndHagakiContainers recordsBefore(
    const RenmeiAndHagakiContainers &stored, const RenmeiAndHagakiContainers &changes)
{
    RenmeiAndHagakiContainers before;
    for (auto container = changes.cbegin(); container != changes.cend(); ++container) {
        const RenmeiAndHagakiRecords records = stored.value(container.key());
        RenmeiAndHagakiRecords &target = before[container.key()];
        for (auto record = container->cbegin(); record != container->cend(); ++record)
            target.insert(record.key(), records.value(record.key()));
    }
    return before;
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
    ApplicationPaths::removeInterruptedWrites(m_filePath);
}

QString RenmeiAndHagakiStore::fileName()
{
    return QStringLiteral("RenmeiAndHagakiContainers.data");
}

QString RenmeiAndHagakiStore::saveStampKey()
{
    // Not a contact's identifier, which the store makes from a UUID.
    return QStringLiteral("RenmeiAndHagakiSaveStamp");
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
            HagakiLayoutString::parse(entry->layoutString, *address->layout);
    }
}

RenmeiAndHagakiStore::FileContents RenmeiAndHagakiStore::readFile() const
{
    QFile file(m_filePath);
    if (m_filePath.isEmpty() || !file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("%s: ERROR can't read %s: %s", Q_FUNC_INFO, qPrintable(m_filePath), qPrintable(file.errorString()));
        return {FileState::Unreadable, {}, {}};
    }
    std::optional<RenmeiAndHagakiFile::Contents> contents = RenmeiAndHagakiFile::decode(file.readAll(), m_filePath);
    if (!contents)
        return {FileState::Unreadable, {}, {}};
    return {FileState::Read, std::move(contents->containers), std::move(contents->stamp)};
}

RenmeiAndHagakiContainers RenmeiAndHagakiStore::recordsForGeneration(
    FileContents contents, std::optional<qint64> storeGeneration, const QString &filePath)
{
    if (!contents.stamp)
        return std::move(contents.containers);
    switch (matchOf(contents.stamp->generation, contents.stamp->baseGeneration, storeGeneration)) {
    case StampMatch::AsWritten:
        break;
    case StampMatch::Before:
        mergeInto(contents.containers, contents.stamp->previous);
        break;
    case StampMatch::Lagging:
        qWarning("%s: ERROR %s was written for save %lld, the contacts store is at save %lld; its records are taken "
                 "as they stand",
            Q_FUNC_INFO, qPrintable(filePath), contents.stamp->generation, *storeGeneration);
        break;
    }
    return std::move(contents.containers);
}

std::optional<RenmeiAndHagakiContainers> RenmeiAndHagakiStore::restoreRenmeiAndHagakiContainers(
    std::optional<qint64> storeGeneration) const
{
    FileContents contents = readFile();
    if (contents.state != FileState::Read)
        return std::nullopt;
    return recordsForGeneration(std::move(contents), storeGeneration, m_filePath);
}

bool RenmeiAndHagakiStore::saveRenmeiAndHagakiContainers(const RenmeiAndHagakiContainers &records) const
{
    return writeFile(records, std::nullopt, nullptr, nullptr);
}

bool RenmeiAndHagakiStore::saveForStoreGeneration(
    const RenmeiAndHagakiContainers &records, qint64 baseGeneration, QString *errorText) const
{
    // A key-value store that lags behind is written again from the file.
    const bool rebuildKeyValueStore
        = m_keyValueStore && matchOf(keyValueStamp(*m_keyValueStore), baseGeneration) == StampMatch::Lagging;
    RenmeiAndHagakiContainers fileBefore;
    return keepCopiesOfNewerFiles(baseGeneration, errorText)
        && writeFile(records, baseGeneration, rebuildKeyValueStore ? &fileBefore : nullptr, errorText)
        && writeKeyValueStore(records, baseGeneration, fileBefore, errorText);
}

QStringList RenmeiAndHagakiStore::filesNewerThan(qint64 storeGeneration) const
{
    QStringList newer;
    // Only the head: the load has just read the whole file.
    QFile file(m_filePath);
    const std::optional<RenmeiAndHagakiSaveStamp> stamp = file.open(QIODevice::ReadOnly)
        ? RenmeiAndHagakiFile::decodeStamp(file.read(RenmeiAndHagakiFile::headSize))
        : std::nullopt;
    if (stamp && isNewerThan(stamp->generation, stamp->baseGeneration, storeGeneration))
        newer.append(m_filePath);
    if (m_keyValueStore) {
        const KeyValueStamp stamp = keyValueStamp(*m_keyValueStore);
        if (isNewerThan(stamp.generation, stamp.baseGeneration, storeGeneration))
            newer.append(m_keyValueStore->filePath());
    }
    return newer;
}

bool RenmeiAndHagakiStore::keepCopiesOfNewerFiles(qint64 baseGeneration, QString *errorText) const
{
    if (filesNewerThan(baseGeneration).isEmpty())
        return true;
    QStringList files{m_filePath};
    if (m_keyValueStore)
        files.append(m_keyValueStore->filePath());
    for (const QString &file : std::as_const(files)) {
        if (QFileInfo::exists(file) && !ApplicationPaths::keepBackupCopy(file)) {
            if (errorText)
                *errorText
                    = writeErrorText(file, tr("It is newer than the contacts store, and a copy of it can't be kept."));
            return false;
        }
    }
    return true;
}

bool RenmeiAndHagakiStore::writeFile(const RenmeiAndHagakiContainers &records,
    const std::optional<qint64> &baseGeneration, RenmeiAndHagakiContainers *before, QString *errorText) const
{
    const auto fail = [&](const QString &reason) {
        if (errorText)
            *errorText = writeErrorText(m_filePath, reason);
        return false;
    };
    if (m_filePath.isEmpty() || !ApplicationPaths::makeOwnerOnlyFolder(QFileInfo(m_filePath).absolutePath())) {
        qWarning("%s: ERROR no folder for %s", Q_FUNC_INFO, qPrintable(m_filePath));
        return fail(tr("Its folder can't be made."));
    }
    FileContents stored = readFile();
    if (stored.state == FileState::Unreadable && !ApplicationPaths::keepBackupCopy(m_filePath))
        return fail(tr("It can't be read, and a copy of it can't be kept."));
    const qsizetype held = recordCount(stored.containers);
    RenmeiAndHagakiFile::Contents contents;
    contents.containers = recordsForGeneration(std::move(stored), baseGeneration, m_filePath);
    if (baseGeneration)
        contents.stamp = RenmeiAndHagakiSaveStamp{
            *baseGeneration + 1, *baseGeneration, recordsBefore(contents.containers, records)};
    if (before)
        *before = contents.containers;
    mergeInto(contents.containers, records);
    if (shrinksMuch(held, recordCount(contents.containers)) && !ApplicationPaths::keepBackupCopy(m_filePath))
        return fail(tr("The save would leave it with far fewer records, and a copy of it can't be kept."));
    QString reason;
    if (!ApplicationPaths::writeOwnerOnlyFile(m_filePath, RenmeiAndHagakiFile::encode(contents), &reason))
        return fail(reason);
    return true;
}

bool RenmeiAndHagakiStore::writeKeyValueStore(const RenmeiAndHagakiContainers &records, qint64 baseGeneration,
    const RenmeiAndHagakiContainers &fileBefore, QString *errorText) const
{
    if (!m_keyValueStore)
        return true;
    const qsizetype held = sideRecordCount(*m_keyValueStore);
    bringKeyValueStoreToGeneration(baseGeneration, fileBefore);
    QVariantMap previous;
    for (const RenmeiAndHagakiRecords &container : records) {
        for (auto record = container.cbegin(); record != container.cend(); ++record) {
            previous.insert(record.key(), m_keyValueStore->dictionaryForKey(record.key()));
            if (record->isEmpty())
                m_keyValueStore->removeObjectForKey(record.key());
            else
                m_keyValueStore->setObject(record->toVariantMap(), record.key());
        }
    }
    m_keyValueStore->setObject(
        QVariantMap{{generationKey, baseGeneration + 1}, {baseGenerationKey, baseGeneration}, {previousKey, previous}},
        saveStampKey());
    // Nothing is written out between the changes above and synchronize(), so
    // the file on disk is still the one they shrink.
    if (shrinksMuch(held, sideRecordCount(*m_keyValueStore)) && QFileInfo::exists(m_keyValueStore->filePath())
        && !ApplicationPaths::keepBackupCopy(m_keyValueStore->filePath())) {
        if (errorText)
            *errorText = writeErrorText(m_keyValueStore->filePath(),
                tr("The save would leave it with far fewer records, and a copy of it can't be kept."));
        return false;
    }
    if (m_keyValueStore->synchronize())
        return true;
    if (errorText)
        *errorText = writeErrorText(m_keyValueStore->filePath(), m_keyValueStore->lastError());
    return false;
}

// Takes back what a save the store did not take left in the key-value store,
// or, when the key-value store lags behind, makes its entries those of the file.
void RenmeiAndHagakiStore::bringKeyValueStoreToGeneration(
    qint64 generation, const RenmeiAndHagakiContainers &fileBefore) const
{
    const KeyValueStamp stamp = keyValueStamp(*m_keyValueStore);
    switch (matchOf(stamp, generation)) {
    case StampMatch::AsWritten:
        return;
    case StampMatch::Before:
        for (auto entry = stamp.previous.cbegin(); entry != stamp.previous.cend(); ++entry)
            m_keyValueStore->setObject(entry->toMap().isEmpty() ? QVariant() : *entry, entry.key());
        return;
    case StampMatch::Lagging:
        break;
    }
    qWarning("%s: ERROR %s was written for save %lld, the contacts store is at save %lld; its entries are written "
             "again from the file",
        Q_FUNC_INFO, qPrintable(m_keyValueStore->filePath()), *stamp.generation, generation);
    const QVariantMap all = m_keyValueStore->dictionaryRepresentation();
    for (auto entry = all.cbegin(); entry != all.cend(); ++entry) {
        if (entry.key() != saveStampKey() && isSideRecord(*entry))
            m_keyValueStore->removeObjectForKey(entry.key());
    }
    for (const RenmeiAndHagakiRecords &container : fileBefore) {
        for (auto record = container.cbegin(); record != container.cend(); ++record)
            m_keyValueStore->setObject(record->toVariantMap(), record.key());
    }
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
    return recordOfEntry(m_keyValueStore->objectForKey(key), key);
}

RenmeiAndHagakiStore::KeyValueView RenmeiAndHagakiStore::keyValueRestoreForGeneration(
    std::optional<qint64> storeGeneration) const
{
    KeyValueView view;
    if (!m_keyValueStore)
        return view;
    KeyValueStamp stamp = keyValueStamp(*m_keyValueStore);
    switch (matchOf(stamp, storeGeneration)) {
    case StampMatch::AsWritten:
        view.m_store = this;
        break;
    case StampMatch::Before:
        view.m_store = this;
        view.m_previous = std::move(stamp.previous);
        break;
    case StampMatch::Lagging:
        qWarning("%s: ERROR %s was written for save %lld, the contacts store is at save %lld; its entries are not read",
            Q_FUNC_INFO, qPrintable(m_keyValueStore->filePath()), *stamp.generation, *storeGeneration);
        break;
    }
    return view;
}

std::optional<RenmeiAndHagakiRecord> RenmeiAndHagakiStore::KeyValueView::valueForKey(const QString &key) const
{
    if (!m_store)
        return std::nullopt;
    if (const auto previous = m_previous.constFind(key); previous != m_previous.cend())
        return recordOfEntry(*previous, key);
    return m_store->keyValueRestoreValueForKey(key);
}

bool RenmeiAndHagakiStore::isKeyValueStoreAvailable() const
{
    return m_keyValueStore && m_keyValueStore->isAvailable();
}

bool RenmeiAndHagakiStore::holdsRecords() const
{
    const FileContents contents = readFile();
    if (!contents.containers.isEmpty() || (contents.state == FileState::Unreadable && QFileInfo(m_filePath).size() > 0))
        return true;
    return m_keyValueStore && sideRecordCount(*m_keyValueStore) > 0;
}
