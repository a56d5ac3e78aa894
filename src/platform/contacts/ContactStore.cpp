#include "platform/contacts/ContactStore.h"

#include "platform/ApplicationPaths.h"
#include "platform/TranslationContext.h"
#include "platform/contacts/ContactKeyIndex_p.h"
#include "platform/contacts/EncodedContactRows_p.h"
#include "platform/contacts/StoreConnectionPool_p.h"
#include "platform/contacts/StoreConnection_p.h"
#include "platform/contacts/StoreContactCodec_p.h"
#include "platform/contacts/StoreIdentifierTexts_p.h"
#include "platform/contacts/StoreSaveExecutor_p.h"
#include "platform/contacts/StoreSchema_p.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUuid>

#include <sqlite3.h>

#include <atomic>
#include <thread>

namespace {

std::atomic<ContactStore::AccessBehaviour> accessBehaviour{ContactStore::AccessBehaviour::Authorized};
std::atomic<ContactStore::AuthorizationStatus> accessStatus{ContactStore::AuthorizationStatus::Authorized};

constexpr TranslationContext tr{"ContactStore"};

StoreError &errorSink(StoreError *error, StoreError &fallback)
{
    return error ? *error : fallback;
}

QString jsonList(const QStringList &identifiers)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(identifiers)).toJson(QJsonDocument::Compact));
}

QByteArray contactQuery(StorePredicate::Kind kind, quint64 keys)
{
    QByteArray sql = "SELECT c.identifier, c.fields";
    sql += (keys & (quint64(1) << KeyImageData)) ? ", c.image" : ", NULL";
    sql += (keys & (quint64(1) << KeyThumbnailImageData)) ? ", c.thumbnail" : ", NULL";
    sql += " FROM contacts c";
    switch (kind) {
    case StorePredicate::Kind::All:
        break;
    case StorePredicate::Kind::ContactsWithIdentifiers:
        sql += " WHERE c.identifier IN (SELECT value FROM json_each(?1))";
        break;
    case StorePredicate::Kind::ContactsInContainer:
        sql += " WHERE c.container_id = (SELECT id FROM containers WHERE identifier = ?1)";
        break;
    case StorePredicate::Kind::ContactsInGroup:
        // In the order of the memberships' key, which is the contacts' order:
        // ordered by c.id, SQLite sorted every member in a temporary tree,
        // half the time of binding 50,000 members.
        return sql
            + " JOIN memberships m ON m.contact_id = c.id"
              " WHERE m.group_id = (SELECT id FROM groups WHERE identifier = ?1) ORDER BY m.contact_id";
    default:
        return {};
    }
    return sql + " ORDER BY c.id";
}

// Binds the predicate's argument: a JSON list for identifier lists, else the
// one container or group identifier.
void bindPredicate(SqliteStatement *statement, const StorePredicate &predicate)
{
    switch (predicate.kind()) {
    case StorePredicate::Kind::All:
        break;
    case StorePredicate::Kind::ContactsWithIdentifiers:
        statement->bind(1, jsonList(predicate.identifiers()));
        break;
    default:
        statement->bind(1, predicate.identifiers().value(0));
        break;
    }
}

} // namespace

ContactStore::ContactStore()
    : ContactStore(defaultFilePath())
{
}

ContactStore::ContactStore(const QString &filePath)
    : m_connections(std::make_unique<StoreConnectionPool>(filePath))
{
}

ContactStore::~ContactStore() = default;

QString ContactStore::defaultFilePath()
{
    return ApplicationPaths::applicationDataFolder() + QStringLiteral("/Contacts.sqlite");
}

QString ContactStore::filePath() const
{
    return m_connections->path();
}

bool ContactStore::open(StoreError *error)
{
    StoreError ignored;
    StoreError &sink = errorSink(error, ignored);
    StoreConnection *connection = m_connections->connectionForCurrentThread(&sink);
    if (!connection) {
        m_connections->noteDamage(sink);
        return false;
    }
    const bool whole = connection->checkIntegrity(&sink);
    m_connections->noteDamage(whole ? StoreError() : sink);
    if (!whole)
        return false;
    return !connection->isReadOnly()
        || m_connections->connectionForCurrentThread(&sink, StoreConnectionPool::Use::Write) != nullptr;
}

bool ContactStore::isEmptyFile() const
{
    return StoreConnection::isEmptyFile(m_connections->path());
}

ContactStore::AuthorizationStatus ContactStore::authorizationStatus()
{
    return accessStatus.load();
}

void ContactStore::setAccessBehaviour(AccessBehaviour behaviour)
{
    accessBehaviour = behaviour;
    switch (behaviour) {
    case AccessBehaviour::Authorized:
        accessStatus = AuthorizationStatus::Authorized;
        break;
    case AccessBehaviour::NotDeterminedThenGrant:
    case AccessBehaviour::NotDeterminedThenRefuse:
        accessStatus = AuthorizationStatus::NotDetermined;
        break;
    case AccessBehaviour::Denied:
        accessStatus = AuthorizationStatus::Denied;
        break;
    case AccessBehaviour::Restricted:
        accessStatus = AuthorizationStatus::Restricted;
        break;
    }
}

void ContactStore::requestAccess(const AccessCompletion &completion)
{
    std::thread([completion] {
        AuthorizationStatus expected = AuthorizationStatus::NotDetermined;
        const AuthorizationStatus decided = accessBehaviour == AccessBehaviour::NotDeterminedThenGrant
            ? AuthorizationStatus::Authorized
            : AuthorizationStatus::Denied;
        accessStatus.compare_exchange_strong(expected, decided);
        const bool granted = accessStatus == AuthorizationStatus::Authorized;
        StoreError error;
        if (!granted)
            error = {StoreError::Code::AccessDenied, tr("Access to the contacts was denied."), {}};
        if (completion)
            completion(granted, error);
    }).detach();
}

namespace {

// The calling thread's connection, unless the user denied access.
StoreConnection *allowedConnection(
    StoreConnectionPool &pool, StoreError *error, StoreConnectionPool::Use use = StoreConnectionPool::Use::Read)
{
    const auto status = ContactStore::authorizationStatus();
    if (status == ContactStore::AuthorizationStatus::Denied
        || status == ContactStore::AuthorizationStatus::Restricted) {
        *error = {StoreError::Code::AccessDenied, tr("Access to the contacts was denied."), pool.path()};
        return nullptr;
    }
    return pool.connectionForCurrentThread(error, use);
}

// After a write: a connection that failed for a reason of the file's, not of
// the request's, is closed, so the next write opens the file afresh.
bool finishWrite(StoreConnectionPool &pool, bool written, const StoreError &error)
{
    if (written)
        return true;
    switch (error.code) {
    case StoreError::Code::RecordDoesNotExist:
    case StoreError::Code::RecordExists:
    case StoreError::Code::InvalidRecord:
        break;
    default:
        pool.noteDamage(error);
        pool.discardConnectionForCurrentThread();
        break;
    }
    return false;
}

// Runs a query on the calling thread's connection: the statement is made by
// `sql`, given the predicate's argument, and each row handed to `row` until it
// returns false.
bool runQuery(StoreConnectionPool &pool, const QByteArray &sql, const StorePredicate &predicate,
    const std::function<bool(const SqliteStatement &)> &row, StoreError *error)
{
    StoreConnection *connection = allowedConnection(pool, error);
    if (!connection)
        return false;
    if (sql.isEmpty()) {
        *error = connection->failure(StoreError::Code::InvalidRecord, tr("The predicate doesn't fit this fetch."));
        return false;
    }
    ActiveStatement statement = connection->statement(sql, error);
    if (!statement)
        return false;
    bindPredicate(statement.get(), predicate);
    int rc = SQLITE_ROW;
    while ((rc = statement->step()) == SQLITE_ROW) {
        if (!row(*statement.get()))
            return true;
    }
    if (rc != SQLITE_DONE) {
        *error = connection->failure(tr("Can't read the contacts store"));
        pool.noteDamage(*error);
        return false;
    }
    return true;
}

} // namespace

QString ContactStore::defaultContainerIdentifier(StoreError *error) const
{
    const QList<StoreContainer> containers = containersMatchingPredicate({}, error);
    for (const StoreContainer &container : containers) {
        if (container.type == StoreContainer::Type::Local)
            return container.identifier;
    }
    return {};
}

std::optional<StoreContainer> ContactStore::addContainer(
    const QString &name, StoreContainer::Type type, StoreError *error)
{
    StoreError ignored;
    StoreError &sink = errorSink(error, ignored);
    StoreConnection *connection = allowedConnection(*m_connections, &sink, StoreConnectionPool::Use::Write);
    if (!connection)
        return std::nullopt;
    StoreContainer container{QUuid::createUuid().toString(QUuid::WithoutBraces), name, type};
    bool added = false;
    if (ActiveStatement insert
        = connection->statement("INSERT INTO containers(identifier, name, type) VALUES(?1, ?2, ?3)", &sink)) {
        insert->bind(1, container.identifier);
        insert->bind(2, container.name);
        insert->bind(3, qint64(type));
        added = insert->step() == SQLITE_DONE;
        if (!added)
            sink = connection->failure(tr("Can't add the container %1").arg(name));
    }
    if (!finishWrite(*m_connections, added, sink))
        return std::nullopt;
    return container;
}

QList<StoreContainer> ContactStore::containersMatchingPredicate(
    const StorePredicate &predicate, StoreError *error) const
{
    StoreError ignored;
    QByteArray sql = "SELECT identifier, name, type FROM containers";
    if (predicate.kind() != StorePredicate::Kind::All)
        sql.clear();
    QList<StoreContainer> containers;
    const bool ok = runQuery(
        *m_connections, sql.isEmpty() ? sql : sql + " ORDER BY id", predicate,
        [&](const SqliteStatement &row) {
            containers.append({row.columnText(0), row.columnText(1), StoreContainer::Type(row.columnInt(2))});
            return true;
        },
        &errorSink(error, ignored));
    return ok ? containers : QList<StoreContainer>();
}

QList<StoreGroup> ContactStore::groupsMatchingPredicate(const StorePredicate &predicate, StoreError *error) const
{
    StoreError ignored;
    QByteArray sql = "SELECT g.identifier, g.name FROM groups g";
    if (predicate.kind() == StorePredicate::Kind::GroupsInContainer)
        sql += " WHERE g.container_id = (SELECT id FROM containers WHERE identifier = ?1)";
    else if (predicate.kind() != StorePredicate::Kind::All)
        sql.clear();
    QList<StoreGroup> groups;
    const bool ok = runQuery(
        *m_connections, sql.isEmpty() ? sql : sql + " ORDER BY g.id", predicate,
        [&](const SqliteStatement &row) {
            groups.append(StoreGroup(row.columnText(0), row.columnText(1)));
            return true;
        },
        &errorSink(error, ignored));
    return ok ? groups : QList<StoreGroup>();
}

std::optional<StoreContact> ContactStore::unifiedContactWithIdentifier(
    const QString &identifier, const QStringList &keysToFetch, StoreError *error) const
{
    StoreError ignored;
    StoreError &sink = errorSink(error, ignored);
    const QList<StoreContact> found = unifiedContactsMatchingPredicate(
        StorePredicate::predicateForContactsWithIdentifiers({identifier}), keysToFetch, &sink);
    if (found.isEmpty()) {
        if (!sink.isError())
            sink = {StoreError::Code::RecordDoesNotExist,
                tr("The contacts store “%1” has no contact %2.").arg(filePath(), identifier), filePath()};
        return std::nullopt;
    }
    return found.first();
}

namespace {

// False, with the store marked damaged: a contact's blob can't be decoded.
bool noteDamagedContact(StoreConnectionPool &pool, StoreError *error)
{
    *error = StoreSchema::damagedError(pool.path(), tr("a contact's fields can't be read."));
    pool.noteDamage(*error);
    return false;
}

// Fetches the request's contacts, handing each to `consumer` (which may move it
// away) until it returns false.
bool fetchContacts(StoreConnectionPool &pool, const StoreFetchRequest &request,
    const std::function<bool(StoreContact &)> &consumer, StoreError *error)
{
    const quint64 keys = StoreContactCodec::keyMask(request.keysToFetch);
    bool damaged = false;
    const bool ok = runQuery(
        pool, contactQuery(request.predicate.kind(), keys), request.predicate,
        [&](const SqliteStatement &row) {
            StoreContact contact = StoreContactCodec::fetchedContact(row.columnText(0), keys);
            if (!StoreContactCodec::decode(row.columnBlobView(1), &contact)) {
                damaged = true;
                return false;
            }
            StoreContactCodec::setImages(&contact, row.columnBlob(2), row.columnBlob(3));
            return consumer(contact);
        },
        error);
    if (damaged)
        return noteDamagedContact(pool, error);
    return ok;
}

} // namespace

QList<StoreContact> ContactStore::unifiedContactsMatchingPredicate(
    const StorePredicate &predicate, const QStringList &keysToFetch, StoreError *error) const
{
    StoreError ignored;
    QList<StoreContact> contacts;
    const bool ok = fetchContacts(
        *m_connections, {keysToFetch, predicate, true, false},
        [&contacts](StoreContact &contact) {
            contacts.append(std::move(contact));
            return true;
        },
        &errorSink(error, ignored));
    return ok ? contacts : QList<StoreContact>();
}

QStringList ContactStore::contactIdentifiersMatchingPredicate(const StorePredicate &predicate, StoreError *error) const
{
    StoreError ignored;
    QStringList identifiers;
    const bool ok = runQuery(
        *m_connections, contactQuery(predicate.kind(), 0), predicate,
        [&identifiers](const SqliteStatement &row) {
            identifiers.append(row.columnText(0));
            return true;
        },
        &errorSink(error, ignored));
    return ok ? identifiers : QStringList();
}

// A membership names its contact by row. Reading each member's identifier
// from its row read the row's fields and images too: the identifiers come
// from their own index instead, which holds the row with each.
std::optional<QList<QStringList>> ContactStore::contactIdentifiersOfGroups(
    const QStringList &groupIdentifiers, StoreError *error) const
{
    QList<QStringList> members(groupIdentifiers.size());
    const bool read = readMembersOfGroups(
        groupIdentifiers,
        [&members](
            qsizetype group, QByteArrayView identifier) { members[group].append(QString::fromUtf8(identifier)); },
        error);
    return read ? std::optional(members) : std::nullopt;
}

// The identifiers are read once for every group, and each member's text is
// looked up there by its row id.
bool ContactStore::readMembersOfGroups(const QStringList &groupIdentifiers,
    const std::function<void(qsizetype, QByteArrayView)> &member, StoreError *error) const
{
    StoreError ignored;
    StoreError &sink = errorSink(error, ignored);
    StoreIdentifierTexts texts;
    const bool read = runQuery(
        *m_connections, "SELECT id, identifier FROM contacts", {},
        [&texts](const SqliteStatement &row) {
            texts.add(row.columnInt(0), row.columnTextView(1));
            return true;
        },
        &sink);
    if (!read)
        return false;
    texts.finish();
    for (qsizetype group = 0; group < groupIdentifiers.size(); ++group) {
        StoreIdentifierTexts::Walk walk(texts);
        const bool ok = runQuery(
            *m_connections,
            "SELECT contact_id FROM memberships WHERE group_id = (SELECT id FROM groups WHERE identifier = ?1)"
            " ORDER BY contact_id",
            StorePredicate::predicateForContactsInGroupWithIdentifier(groupIdentifiers.at(group)),
            [&](const SqliteStatement &row) {
                if (const std::optional<QByteArrayView> identifier = walk.find(row.columnInt(0)))
                    member(group, *identifier);
                return true;
            },
            &sink);
        if (!ok)
            return false;
    }
    return true;
}

bool ContactStore::enumerateContactsWithFetchRequest(const StoreFetchRequest &request,
    const std::function<void(const StoreContact &, bool *)> &block, StoreError *error) const
{
    StoreError ignored;
    return fetchContacts(
        *m_connections, request,
        [&block](StoreContact &contact) {
            bool stop = false;
            block(contact, &stop);
            return !stop;
        },
        &errorSink(error, ignored));
}

bool ContactStore::enumerateContactsConcurrently(const StoreFetchRequest &request,
    const std::function<void(qsizetype)> &starting, const std::function<void(qsizetype, StoreContact &)> &block,
    StoreError *error) const
{
    StoreError ignored;
    StoreError &sink = errorSink(error, ignored);
    const quint64 keys = StoreContactCodec::keyMask(request.keysToFetch);
    EncodedContactRows rows(keys);
    const bool read = runQuery(
        *m_connections, contactQuery(request.predicate.kind(), keys), request.predicate,
        [&rows](const SqliteStatement &row) {
            rows.append(row);
            return true;
        },
        &sink);
    if (!read)
        return false;
    starting(rows.size());
    return rows.decodeConcurrently(block) || noteDamagedContact(*m_connections, &sink);
}

bool ContactStore::execute(const StoreSaveRequest &request, StoreError *error)
{
    StoreError ignored;
    StoreError &sink = errorSink(error, ignored);
    StoreConnection *connection = allowedConnection(*m_connections, &sink, StoreConnectionPool::Use::Write);
    if (!connection)
        return false;
    const bool written = StoreSaveExecutor(*connection).execute(request, &sink);
    return finishWrite(*m_connections, written, sink);
}

std::optional<qint64> ContactStore::saveGeneration(StoreError *error) const
{
    StoreError ignored;
    StoreError &sink = errorSink(error, ignored);
    StoreConnection *connection = allowedConnection(*m_connections, &sink);
    if (!connection)
        return std::nullopt;
    // The table is made by the first stamped save.
    ActiveStatement table = connection->statement(
        "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'save_generation'", &sink);
    if (!table)
        return std::nullopt;
    if (table->step() != SQLITE_ROW) {
        sink = connection->failure(tr("Can't read the contacts store"));
        return std::nullopt;
    }
    if (table->columnInt(0) == 0)
        return 0;
    ActiveStatement query = connection->statement("SELECT generation FROM save_generation WHERE id = 1", &sink);
    if (!query)
        return std::nullopt;
    const int rc = query->step();
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
        sink = connection->failure(tr("Can't read the contacts store"));
        return std::nullopt;
    }
    return rc == SQLITE_ROW ? query->columnInt(0) : 0;
}
