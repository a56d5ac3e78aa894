#pragma once

#include <QString>

// Why a store operation failed. The description is complete in itself: errors
// about the store file name the file, errors of a save request name the
// operation and the record that failed.
struct StoreError {
    enum class Code {
        None = 0,
        CannotOpen, // the file can't be created, opened or read
        NotAStore, // a database of something else, or not a database at all
        Damaged, // a store of ours with damaged pages or records; never written to
        ReadOnly, // the file (or its folder) is write-protected: readable, not writable
        Busy, // another program holds the store's lock
        NewerVersion, // written by a later version of the store
        AccessDenied, // the user did not grant access
        RecordDoesNotExist, // a save request or fetch names a record the store lacks
        RecordExists, // a save request adds a record whose identifier is taken
        InvalidRecord, // a record without identifier, a member of no container, ...
        DatabaseFailure, // SQLite reported a failure while reading or writing
    };

    Code code = Code::None;
    QString description;
    QString filePath;

    [[nodiscard]] bool isError() const { return code != Code::None; }
};
