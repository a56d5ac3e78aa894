#include "platform/contacts/StoreSaveExecutor_p.h"

#include "platform/TranslationContext.h"
#include "platform/contacts/ContactKeyIndex_p.h"
#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/SqliteStatement_p.h"
#include "platform/contacts/StoreConnection_p.h"
#include "platform/contacts/StoreContactCodec_p.h"
#include "platform/contacts/StoreSaveRequest.h"
#include "platform/contacts/StoreTestHooks_p.h"

#include <QBuffer>
#include <QImage>

#include <sqlite3.h>

namespace {

constexpr int thumbnailSize = 320;

constexpr TranslationContext tr{"ContactStore"};

// How a contact is named in an error: its name, its company, or its identifier.
QString describe(const StoreContact &contact)
{
    QStringList parts;
    for (int key : {KeyGivenName, KeyFamilyName}) {
        if (StoreContactCodec::hasKey(contact, key))
            parts.append(contact.stringForKey(ContactKeys::allContactKeys().at(key)));
    }
    QString name = parts.join(QLatin1Char(' ')).trimmed();
    if (name.isEmpty() && StoreContactCodec::hasKey(contact, KeyOrganizationName))
        name = contact.organizationName();
    return name.isEmpty() ? contact.identifier() : name;
}

QByteArray makeThumbnail(const QByteArray &image)
{
    if (image.isEmpty())
        return {};
    const QImage source = QImage::fromData(image);
    if (source.isNull()) {
        qWarning("%s: ERROR can't read the contact image (%lld bytes)", Q_FUNC_INFO, qint64(image.size()));
        return {};
    }
    const QImage scaled = source.width() > thumbnailSize || source.height() > thumbnailSize
        ? source.scaled(thumbnailSize, thumbnailSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)
        : source;
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    const bool saved = scaled.hasAlphaChannel() ? scaled.save(&buffer, "PNG") : scaled.save(&buffer, "JPEG", 85);
    if (!saved)
        scaled.save(&buffer, "PNG");
    return data;
}

} // namespace

bool StoreSaveExecutor::execute(const StoreSaveRequest &request, StoreError *error)
{
    if (!m_connection.exec("BEGIN IMMEDIATE", error))
        return false;
    if (applyAll(request, error) && m_connection.exec("COMMIT", error))
        return true;
    StoreError ignored;
    m_connection.exec("ROLLBACK", &ignored);
    return false;
}

bool StoreSaveExecutor::applyAll(const StoreSaveRequest &request, StoreError *error)
{
    return addGroups(request, error) && addContacts(request, error) && updateContacts(request, error)
        && updateGroups(request, error) && changeMembers(request, true, error) && changeMembers(request, false, error)
        && deleteRows(request.deletedContactIdentifiers(), true, error)
        && deleteRows(request.deletedGroupIdentifiers(), false, error) && stampSaveGeneration(request, error);
}

bool StoreSaveExecutor::stampSaveGeneration(const StoreSaveRequest &request, StoreError *error)
{
    const std::optional<qint64> generation = request.saveGeneration();
    if (!generation)
        return true;
    // Stores written before saves were stamped lack the table.
    if (!m_connection.exec("CREATE TABLE IF NOT EXISTS save_generation("
                           "id INTEGER PRIMARY KEY CHECK(id = 1), generation INTEGER NOT NULL)",
            error))
        return false;
    ActiveStatement stamp
        = m_connection.statement("INSERT OR REPLACE INTO save_generation(id, generation) VALUES(1, ?1)", error);
    if (!stamp)
        return false;
    stamp->bind(1, *generation);
    return run(stamp.get(), tr("Can't stamp the save"), error);
}

bool StoreSaveExecutor::run(SqliteStatement *statement, const QString &operation, StoreError *error)
{
    if (!StoreTestHooks::allowStatement(++m_statementCount)) {
        *error = m_connection.failure(StoreError::Code::DatabaseFailure, operation + tr(": the test hook failed it"));
        return false;
    }
    const int rc = statement->step();
    if (rc == SQLITE_DONE || rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY)
        *error = m_connection.failure(StoreError::Code::RecordExists, operation + tr(": the identifier is taken."));
    else
        *error = m_connection.failure(operation);
    return false;
}

StoreError StoreSaveExecutor::missing(const QString &operation) const
{
    return m_connection.failure(
        StoreError::Code::RecordDoesNotExist, operation + tr(": the store has no such record."));
}

std::optional<qint64> StoreSaveExecutor::containerId(
    const QString &identifier, const QString &operation, StoreError *error)
{
    if (auto found = m_containerIds.constFind(identifier); found != m_containerIds.constEnd())
        return *found;
    ActiveStatement query
        = m_connection.statement(identifier.isEmpty() ? "SELECT id FROM containers WHERE type = 1 ORDER BY id LIMIT 1"
                                                      : "SELECT id FROM containers WHERE identifier = ?1",
            error);
    if (!query)
        return std::nullopt;
    if (!identifier.isEmpty())
        query->bind(1, identifier);
    const int rc = query->step();
    if (rc != SQLITE_ROW) {
        *error = rc == SQLITE_DONE ? missing(operation + tr(" (container %1)").arg(identifier))
                                   : m_connection.failure(operation);
        return std::nullopt;
    }
    const qint64 id = query->columnInt(0);
    m_containerIds.insert(identifier, id);
    return id;
}

std::optional<StoreSaveExecutor::Row> StoreSaveExecutor::findRow(
    bool contact, const QString &identifier, const QString &operation, StoreError *error)
{
    ActiveStatement query
        = m_connection.statement(contact ? "SELECT id, container_id FROM contacts WHERE identifier = ?1"
                                         : "SELECT id, container_id FROM groups WHERE identifier = ?1",
            error);
    if (!query)
        return std::nullopt;
    query->bind(1, identifier);
    const int rc = query->step();
    if (rc != SQLITE_ROW) {
        *error = rc == SQLITE_DONE ? missing(operation) : m_connection.failure(operation);
        return std::nullopt;
    }
    return Row{query->columnInt(0), query->columnInt(1)};
}

bool StoreSaveExecutor::addGroups(const StoreSaveRequest &request, StoreError *error)
{
    for (const auto &[group, container] : request.addedGroups()) {
        const QString operation = tr("Can't add the group “%1”").arg(group.name());
        if (group.identifier().isEmpty()) {
            *error = m_connection.failure(StoreError::Code::InvalidRecord, operation + tr(": it has no identifier."));
            return false;
        }
        const std::optional<qint64> containerRow = containerId(container, operation, error);
        ActiveStatement insert = containerRow
            ? m_connection.statement("INSERT INTO groups(identifier, container_id, name) VALUES(?1, ?2, ?3)", error)
            : nullptr;
        if (!insert)
            return false;
        insert->bind(1, group.identifier());
        insert->bind(2, *containerRow);
        insert->bind(3, group.name());
        if (!run(insert.get(), operation, error))
            return false;
    }
    return true;
}

bool StoreSaveExecutor::addContacts(const StoreSaveRequest &request, StoreError *error)
{
    for (const auto &[contact, container] : request.addedContacts()) {
        const QString operation = tr("Can't add the contact “%1”").arg(describe(contact));
        if (contact.identifier().isEmpty()) {
            *error = m_connection.failure(StoreError::Code::InvalidRecord, operation + tr(": it has no identifier."));
            return false;
        }
        const std::optional<qint64> containerRow = containerId(container, operation, error);
        ActiveStatement insert = containerRow
            ? m_connection.statement("INSERT INTO contacts(identifier, container_id, fields, image, thumbnail)"
                                     " VALUES(?1, ?2, ?3, ?4, ?5)",
                error)
            : nullptr;
        if (!insert)
            return false;
        const QByteArray &image = StoreContactCodec::rawImageData(contact);
        insert->bind(1, contact.identifier());
        insert->bind(2, *containerRow);
        insert->bind(3, StoreContactCodec::encode(contact));
        if (!image.isEmpty()) {
            insert->bind(4, image);
            insert->bind(5, makeThumbnail(image));
        }
        if (!run(insert.get(), operation, error))
            return false;
    }
    return true;
}

bool StoreSaveExecutor::updateContacts(const StoreSaveRequest &request, StoreError *error)
{
    for (const StoreContact &contact : request.updatedContacts()) {
        const QString operation = tr("Can't update the contact “%1”").arg(describe(contact));
        ActiveStatement query = m_connection.statement("SELECT id, fields FROM contacts WHERE identifier = ?1", error);
        if (!query)
            return false;
        query->bind(1, contact.identifier());
        const int rc = query->step();
        if (rc != SQLITE_ROW) {
            *error = rc == SQLITE_DONE ? missing(operation) : m_connection.failure(operation);
            return false;
        }
        const qint64 id = query->columnInt(0);
        QByteArray merged;
        if (!StoreContactCodec::merge(query->columnBlob(1), contact, &merged)) {
            *error
                = m_connection.failure(StoreError::Code::Damaged, operation + tr(": its stored fields are damaged."));
            return false;
        }
        ActiveStatement update = m_connection.statement("UPDATE contacts SET fields = ?2 WHERE id = ?1", error);
        if (!update)
            return false;
        update->bind(1, id);
        update->bind(2, merged);
        if (!run(update.get(), operation, error))
            return false;
        if (StoreContactCodec::hasKey(contact, KeyImageData)
            && !writeImage(id, StoreContactCodec::rawImageData(contact), operation, error))
            return false;
    }
    return true;
}

bool StoreSaveExecutor::writeImage(
    qint64 contactId, const QByteArray &image, const QString &operation, StoreError *error)
{
    ActiveStatement update
        = m_connection.statement("UPDATE contacts SET image = ?2, thumbnail = ?3 WHERE id = ?1", error);
    if (!update)
        return false;
    update->bind(1, contactId);
    if (!image.isEmpty()) {
        update->bind(2, image);
        update->bind(3, makeThumbnail(image));
    }
    return run(update.get(), operation, error);
}

bool StoreSaveExecutor::updateGroups(const StoreSaveRequest &request, StoreError *error)
{
    for (const StoreGroup &group : request.updatedGroups()) {
        const QString operation = tr("Can't rename the group “%1”").arg(group.name());
        ActiveStatement update = m_connection.statement("UPDATE groups SET name = ?2 WHERE identifier = ?1", error);
        if (!update)
            return false;
        update->bind(1, group.identifier());
        update->bind(2, group.name());
        if (!run(update.get(), operation, error))
            return false;
        if (m_connection.changes() == 0) {
            *error = missing(operation);
            return false;
        }
    }
    return true;
}

bool StoreSaveExecutor::changeMembers(const StoreSaveRequest &request, bool add, StoreError *error)
{
    for (const auto &[contactIdentifier, groupIdentifier] : add ? request.addedMembers() : request.removedMembers()) {
        const QString operation = (add ? tr("Can't add the contact %1 to the group %2")
                                       : tr("Can't remove the contact %1 from the group %2"))
                                      .arg(contactIdentifier, groupIdentifier);
        const std::optional<Row> contact = findRow(true, contactIdentifier, operation, error);
        const std::optional<Row> group = contact ? findRow(false, groupIdentifier, operation, error) : std::nullopt;
        if (!group)
            return false;
        if (add && contact->containerId != group->containerId) {
            *error = m_connection.failure(
                StoreError::Code::InvalidRecord, operation + tr(": they are in different containers."));
            return false;
        }
        ActiveStatement change
            = m_connection.statement(add ? "INSERT OR IGNORE INTO memberships(group_id, contact_id) VALUES(?1, ?2)"
                                         : "DELETE FROM memberships WHERE group_id = ?1 AND contact_id = ?2",
                error);
        if (!change)
            return false;
        change->bind(1, group->id);
        change->bind(2, contact->id);
        if (!run(change.get(), operation, error))
            return false;
    }
    return true;
}

bool StoreSaveExecutor::deleteRows(const QList<QString> &identifiers, bool contacts, StoreError *error)
{
    for (const QString &identifier : identifiers) {
        const QString operation
            = (contacts ? tr("Can't delete the contact %1") : tr("Can't delete the group %1")).arg(identifier);
        ActiveStatement remove = m_connection.statement(
            contacts ? "DELETE FROM contacts WHERE identifier = ?1" : "DELETE FROM groups WHERE identifier = ?1",
            error);
        if (!remove)
            return false;
        remove->bind(1, identifier);
        if (!run(remove.get(), operation, error))
            return false;
        if (m_connection.changes() == 0) {
            *error = missing(operation);
            return false;
        }
    }
    return true;
}
