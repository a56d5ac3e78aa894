#pragma once

#include "model/RenmeiAndHagakiRecord.h"

#include <QHash>
#include <QString>
#include <QVariantMap>

#include <optional>

class KeyValueStore;
class MVPerson;

// Contact uniqueId → its side record.
using RenmeiAndHagakiRecords = QHash<QString, RenmeiAndHagakiRecord>;
// Container identifier → the side records of its contacts.
using RenmeiAndHagakiContainers = QHash<QString, RenmeiAndHagakiRecords>;

// The side store of joint names and postcard layouts: a file of our own
// beside the contacts store and one key-value entry per contact.
//
// The file is versioned JSON, replaced whole through QSaveFile and readable by
// its owner only. A file that can't be read back (truncated, corrupt, another
// format or a version we don't know) gives no records and is logged; the next
// save keeps it as "<file>.bak" before writing a whole new file, so nothing
// the user had is thrown away.
//
// Saving merges: the records handed over replace the stored records of the
// same contacts, an empty record removes the contact's entry, and every other
// contact keeps what it had.
class RenmeiAndHagakiStore {
public:
    // The file in the application-data folder, or a file of the caller's
    // choosing (tests, benchmarks), with the key-value store to use.
    explicit RenmeiAndHagakiStore(KeyValueStore *keyValueStore = nullptr, const QString &filePath = {});

    [[nodiscard]] static QString fileName();
    [[nodiscard]] static QString defaultFilePath();
    [[nodiscard]] QString filePath() const { return m_filePath; }

    // The record of a person: its joint names and, per address with a
    // layout, the address's label, text and layout string. May be empty.
    [[nodiscard]] static RenmeiAndHagakiRecord makeRenmeiAndHagakiDict(MVPerson &person);
    // Sets the joint names and parses each address's layout from the first
    // entry with the address's label and text.
    static void applyRenmeiAndHagakiRecord(const RenmeiAndHagakiRecord &record, MVPerson &person);

    // Merges the records into the file (see above). False, logged, when the
    // folder or the file can't be written, or an unreadable file can't be kept.
    bool saveRenmeiAndHagakiContainers(const RenmeiAndHagakiContainers &records) const;
    // The file's records; nullopt when there is no file or it can't be read.
    [[nodiscard]] std::optional<RenmeiAndHagakiContainers> restoreRenmeiAndHagakiContainers() const;

    // Stores each record under its contact's uniqueId (an empty record
    // removes the entry) and writes the key-value store out.
    void keyValueSaveRenmeiAndHagaki(const RenmeiAndHagakiContainers &records) const;
    void keyValueSaveValue(const QVariantMap &value, const QString &key) const;
    // The entry under the key; nullopt when there is none or it is not of a
    // record's shape (logged and skipped).
    [[nodiscard]] std::optional<RenmeiAndHagakiRecord> keyValueRestoreValueForKey(const QString &key) const;
    [[nodiscard]] bool isKeyValueStoreAvailable() const;

private:
    enum class FileState { Missing, Read, Unreadable };
    struct FileContents {
        FileState state = FileState::Missing;
        RenmeiAndHagakiContainers containers;
    };

    [[nodiscard]] FileContents readFile() const;

    KeyValueStore *m_keyValueStore = nullptr;
    QString m_filePath;
};
