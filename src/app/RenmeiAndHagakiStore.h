#pragma once

#include "model/RenmeiAndHagakiRecord.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>

class KeyValueStore;
class MVPerson;

// Contact uniqueId → its side record.
using RenmeiAndHagakiRecords = QHash<QString, RenmeiAndHagakiRecord>;
// Container identifier → the side records of its contacts.
using RenmeiAndHagakiContainers = QHash<QString, RenmeiAndHagakiRecords>;

// Which save of the contacts store side data was written for. The save is
// given the store's generation plus one, and the store keeps that number in
// the transaction of the save's changes. Beside the records as they stand
// after the save, the side data keeps the records the save replaced (an empty
// record for a contact that had none): when the store never took the save
// (a kill, a refusal), the side data is read as it was before it.
struct RenmeiAndHagakiSaveStamp {
    qint64 generation = 0;
    qint64 baseGeneration = 0;
    RenmeiAndHagakiContainers previous;
};

// The side store of joint names and postcard layouts: a file of our own
// beside the contacts store and one key-value entry per contact.
//
// The file is replaced whole through QSaveFile and readable by its owner
// only. A file that can't be read back (truncated, corrupt, another format or
// a version we don't know) gives no records and is logged; the next save
// keeps a copy of it before writing a whole new file, so nothing the user had
// is thrown away. Temporary files an interrupted write left are removed when
// the side store is made.
//
// Saving merges: the records handed over replace the stored records of the
// same contacts, an empty record removes the contact's entry, and every other
// contact keeps what it had.
//
// Read for a generation of the contacts store, the file and the key-value
// entries give the side data of that generation: a save the store did not
// take is read as not made, and a key-value store that lags behind the store
// is not read at all, so that none of its entries wins over the file's.
//
// Side data written for a later save than the store's own (the store was put
// back from a backup) is the only copy of those contacts' joint names and
// layouts, and is read as it stands; the first save after that keeps a copy
// of both files before rewriting them. So does any save that would leave a
// file with fewer than half the records it held, and at least 20 fewer.
class RenmeiAndHagakiStore {
public:
    // The key-value entries as they stand for one generation of the store.
    class KeyValueView {
    public:
        [[nodiscard]] std::optional<RenmeiAndHagakiRecord> valueForKey(const QString &key) const;

    private:
        friend class RenmeiAndHagakiStore;
        const RenmeiAndHagakiStore *m_store = nullptr;
        QVariantMap m_previous;
    };

    // The file in the application-data folder, or a file of the caller's
    // choosing (tests, benchmarks), with the key-value store to use.
    explicit RenmeiAndHagakiStore(KeyValueStore *keyValueStore = nullptr, const QString &filePath = {});

    [[nodiscard]] static QString fileName();
    [[nodiscard]] static QString defaultFilePath();
    [[nodiscard]] QString filePath() const { return m_filePath; }
    // The key under which the key-value store keeps the stamp of the last save.
    [[nodiscard]] static QString saveStampKey();

    // The record of a person: its joint names and, per address with a
    // layout, the address's label, text and layout string. May be empty.
    [[nodiscard]] static RenmeiAndHagakiRecord makeRenmeiAndHagakiDict(MVPerson &person);
    // Sets the joint names and parses each address's layout from the first
    // entry with the address's label and text.
    static void applyRenmeiAndHagakiRecord(const RenmeiAndHagakiRecord &record, MVPerson &person);

    // Writes the records of a save that the contacts store is about to take
    // with the generation baseGeneration + 1: the file first, then the
    // key-value store. False when either can't be written, with the file and
    // the reason in *errorText; what was written is then read as not made
    // until the store takes a save of that generation.
    bool saveForStoreGeneration(
        const RenmeiAndHagakiContainers &records, qint64 baseGeneration, QString *errorText = nullptr) const;

    // Merges the records into the file (see above), unstamped. False, logged,
    // when the folder or the file can't be written, or an unreadable file
    // can't be kept.
    bool saveRenmeiAndHagakiContainers(const RenmeiAndHagakiContainers &records) const;
    // The file's records for the store's generation, or as last written when
    // no generation is given; nullopt when there is no file or it can't be read.
    [[nodiscard]] std::optional<RenmeiAndHagakiContainers> restoreRenmeiAndHagakiContainers(
        std::optional<qint64> storeGeneration = std::nullopt) const;

    // Stores each record under its contact's uniqueId (an empty record
    // removes the entry) and writes the key-value store out, unstamped.
    void keyValueSaveRenmeiAndHagaki(const RenmeiAndHagakiContainers &records) const;
    void keyValueSaveValue(const QVariantMap &value, const QString &key) const;
    // The entry under the key as last written; nullopt when there is none or
    // it is not of a record's shape (logged and skipped).
    [[nodiscard]] std::optional<RenmeiAndHagakiRecord> keyValueRestoreValueForKey(const QString &key) const;
    // The entries for the store's generation (as last written when none is
    // given); a view of nothing when the key-value store lags behind the store.
    [[nodiscard]] KeyValueView keyValueRestoreForGeneration(std::optional<qint64> storeGeneration) const;
    [[nodiscard]] bool isKeyValueStoreAvailable() const;
    // The file and the key-value store, those of them written for a later
    // save than the store's generation.
    [[nodiscard]] QStringList filesNewerThan(qint64 storeGeneration) const;
    // Whether the file or the key-value store holds any record; a file that
    // holds bytes but can't be read counts, since it held something.
    [[nodiscard]] bool holdsRecords() const;

private:
    enum class FileState { Missing, Read, Unreadable };
    struct FileContents {
        FileState state = FileState::Missing;
        RenmeiAndHagakiContainers containers;
        std::optional<RenmeiAndHagakiSaveStamp> stamp;
    };

    [[nodiscard]] FileContents readFile() const;
    // The file's records for the store's generation, for a file that was read.
    [[nodiscard]] static RenmeiAndHagakiContainers recordsForGeneration(
        FileContents contents, std::optional<qint64> storeGeneration, const QString &filePath);
    bool writeFile(const RenmeiAndHagakiContainers &records, const std::optional<qint64> &baseGeneration,
        RenmeiAndHagakiContainers *before, QString *errorText) const;
    bool writeKeyValueStore(const RenmeiAndHagakiContainers &records, qint64 baseGeneration,
        const RenmeiAndHagakiContainers &fileBefore, QString *errorText) const;
    void bringKeyValueStoreToGeneration(qint64 generation, const RenmeiAndHagakiContainers &fileBefore) const;
    // Keeps a copy of both files when either was written for a later save
    // than the one about to be made on baseGeneration.
    bool keepCopiesOfNewerFiles(qint64 baseGeneration, QString *errorText) const;

    KeyValueStore *m_keyValueStore = nullptr;
    QString m_filePath;
};
