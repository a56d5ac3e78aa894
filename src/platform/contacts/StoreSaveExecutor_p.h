#pragma once

#include "platform/contacts/StoreError.h"

#include <QHash>
#include <QString>

#include <optional>

class SqliteStatement;
class StoreConnection;
class StoreContact;
class StoreSaveRequest;

// Applies one save request over one connection inside one transaction: every
// operation succeeds, or the transaction is rolled back and the error names
// the operation that failed.
class StoreSaveExecutor {
public:
    explicit StoreSaveExecutor(StoreConnection &connection)
        : m_connection(connection)
    {
    }

    bool execute(const StoreSaveRequest &request, StoreError *error);

private:
    struct Row {
        qint64 id = 0;
        qint64 containerId = 0;
    };

    bool applyAll(const StoreSaveRequest &request, StoreError *error);
    bool addGroups(const StoreSaveRequest &request, StoreError *error);
    bool addContacts(const StoreSaveRequest &request, StoreError *error);
    bool updateContacts(const StoreSaveRequest &request, StoreError *error);
    bool updateGroups(const StoreSaveRequest &request, StoreError *error);
    bool changeMembers(const StoreSaveRequest &request, bool add, StoreError *error);
    bool deleteRows(const QList<QString> &identifiers, bool contacts, StoreError *error);
    bool stampSaveGeneration(const StoreSaveRequest &request, StoreError *error);
    bool writeImage(qint64 contactId, const QByteArray &image, const QString &operation, StoreError *error);

    // Steps a writing statement (through the test hook); false with *error.
    bool run(SqliteStatement *statement, const QString &operation, StoreError *error);
    [[nodiscard]] std::optional<qint64> containerId(
        const QString &identifier, const QString &operation, StoreError *error);
    [[nodiscard]] std::optional<Row> findRow(
        bool contact, const QString &identifier, const QString &operation, StoreError *error);
    [[nodiscard]] StoreError missing(const QString &operation) const;

    StoreConnection &m_connection;
    int m_statementCount = 0;
    QHash<QString, qint64> m_containerIds;
};
