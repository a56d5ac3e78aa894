// The contacts of a container's groups, fetched from the store the first time
// a group of the container is chosen, a contact is deleted from its top group
// or a contact's window asks for a container the load left unread, each row
// holding the top group's person of its contact.

#include "app/ContainerGroupsFetcher.h"

#include "app/AddressBookLoader.h"
#include "app/ContactRowsByIdentifier.h"
#include "model/ContactPrefetch.h"
#include "model/MVPerson.h"

#include <QHash>

#include <optional>
#include <vector>

namespace {

// The top group's rows by store identifier and by company content key, so
// that a contact of a group finds its person there. The content keys are
// gathered only when a contact isn't found by its identifier.
class TopRowIndex {
public:
    explicit TopRowIndex(const ContactTable &rows)
        : m_rows(rows)
        , m_byId(rows.size())
    {
        constexpr qsizetype rowsAhead = 16;
        for (qsizetype place = 0; place < rows.size(); ++place) {
            if (place + rowsAhead < rows.size())
                ContactPrefetch::line(rows.at(place + rowsAhead).get());
            m_byId.insert(rows.at(place).get());
        }
    }

    [[nodiscard]] const ContactRecord *byIdentifier(const UniqueId &uniqueId) const { return m_byId.find(uniqueId); }
    // By identifier first: two companies of equal content are still two
    // contacts. The content key is asked for only when that finds none.
    template <typename ContentKey>
    [[nodiscard]] const ContactRecord *match(const UniqueId &uniqueId, ContentKey key) const
    {
        if (const ContactRecord *row = m_byId.find(uniqueId))
            return row;
        const QString content = key();
        return content.isEmpty() ? nullptr : byContent().value(content);
    }

private:
    // The first row of each content key.
    const QHash<QString, const ContactRecord *> &byContent() const
    {
        if (!m_byContent) {
            m_byContent.emplace();
            for (const ContactRecordPtr &row : m_rows) {
                if (!row->uniqueId2().isEmpty() && !m_byContent->contains(row->uniqueId2()))
                    m_byContent->insert(row->uniqueId2(), row.get());
            }
        }
        return *m_byContent;
    }

    const ContactTable &m_rows;
    ContactRowsByIdentifier m_byId;
    mutable std::optional<QHash<QString, const ContactRecord *>> m_byContent;
};

// A kept group table's rows take the top group's persons, so that one
// contact is one person everywhere.
void bindToTopRows(const ContactTable &rows, const TopRowIndex &index)
{
    for (const ContactRecordPtr &row : rows) {
        const MVPerson *person = row->person.get();
        const ContactRecord *match
            = index.match(row->uniqueId, [person] { return person ? person->uniqueId2() : QString(); });
        if (match)
            row->person = match->person;
    }
}

// The top group's rows of the members the index doesn't hold by identifier,
// found by content: only companies have one.
QHash<QString, const ContactRecord *> membersByContent(
    const QStringList &identifiers, const AddressBookLoader &loader, const TopRowIndex &index)
{
    QHash<QString, const ContactRecord *> found;
    for (const StoreContact &member : loader.contactsWithIdentifiers(identifiers)) {
        const ContactRecord *match = index.match(member.identifier(), [&member] {
            return member.contactType() == StoreContact::ContactType::Organization
                ? MVPerson::initWithCNContact(member)->uniqueId2()
                : QString();
        });
        if (match)
            found.insert(member.identifier(), match);
    }
    return found;
}

// The group's store members (their identifiers) that the top group holds, as
// rows of the top group's persons. Members are bound by their identifiers,
// each read as a UniqueId once; only those the top group doesn't know by
// identifier are read, 50,000 members read in full took most of a second.
ContactTablePtr membersInTopRows(
    const QList<UniqueId> &identifiers, const AddressBookLoader &loader, const TopRowIndex &index)
{
    std::vector<const ContactRecord *> matches(std::size_t(identifiers.size()), nullptr);
    QStringList unknown;
    for (qsizetype i = 0; i < identifiers.size(); ++i) {
        matches[std::size_t(i)] = index.byIdentifier(identifiers.at(i));
        if (!matches[std::size_t(i)])
            unknown.append(identifiers.at(i).toString());
    }
    if (!unknown.isEmpty()) {
        const QHash<QString, const ContactRecord *> byContent = membersByContent(unknown, loader, index);
        for (qsizetype i = 0; i < identifiers.size(); ++i) {
            if (!matches[std::size_t(i)])
                matches[std::size_t(i)] = byContent.value(identifiers.at(i).toString());
        }
    }
    std::erase(matches, nullptr);
    auto table = std::make_shared<ContactTable>();
    table->reserve(qsizetype(matches.size()));
    // The top rows and their persons lie all over memory: each row is asked
    // for some members ahead, and its person, whose count the new row takes,
    // a few members later.
    constexpr std::size_t rowsAhead = 16;
    constexpr std::size_t personsAhead = 8;
    for (std::size_t i = 0; i < matches.size(); ++i) {
        if (i + rowsAhead < matches.size())
            ContactPrefetch::line(matches[i + rowsAhead]);
        if (i + personsAhead < matches.size())
            ContactPrefetch::shared(matches[i + personsAhead]->person.get());
        const ContactRecord &match = *matches[i];
        table->append(std::make_shared<ContactRecord>(match.person, match.uniqueId, 0));
    }
    return table;
}

} // namespace

ContainerGroupsFetcher::ContainerGroupsFetcher(ContactStore &store, const RenmeiAndHagakiStore &sideStore)
    : m_store(store)
    , m_sideStore(sideStore)
{
}

// A group table that exists already is kept, its rows bound to the top
// group's persons; the others are fetched.
bool ContainerGroupsFetcher::fetchGroups(const ContainerRecord &container) const
{
    const GroupRecordPtr top = container.topGroup();
    if (!top)
        return false;
    const AddressBookLoader loader(m_store, m_sideStore);
    if (!top->contactTable) {
        StoreError error;
        top->contactTable = loader.topGroupContactTable(container, &error);
        if (!top->contactTable) {
            qWarning("%s: ERROR can't fetch the contacts of %s: %s", Q_FUNC_INFO, qPrintable(container.name),
                qPrintable(error.description));
            return false;
        }
    }
    const TopRowIndex index(*top->contactTable);
    QList<GroupRecordPtr> unfetched;
    for (const GroupRecordPtr &group : std::as_const(*container.groups)) {
        if (group->top)
            continue;
        if (group->contactTable)
            bindToTopRows(*group->contactTable, index);
        else
            unfetched.append(group);
    }
    const QList<QList<UniqueId>> members = loader.contactIdentifiersOfGroups(unfetched, container.identifier);
    for (qsizetype i = 0; i < unfetched.size(); ++i)
        unfetched.at(i)->contactTable = membersInTopRows(members.at(i), loader, index);
    return true;
}

ContainerRecordPtr ContainerGroupsFetcher::fetchContainerHolding(
    const ContainerTable &containers, const UniqueId &uniqueId) const
{
    const AddressBookLoader loader(m_store, m_sideStore);
    const QString identifier = uniqueId.toString();
    for (const ContainerRecordPtr &container : containers) {
        const GroupRecordPtr top = container->topGroup();
        if (!top || top->contactTable)
            continue;
        const std::optional<QStringList> members
            = loader.contactIdentifiersForGroup(std::nullopt, container->identifier);
        if (members && members->contains(identifier))
            return fetchGroups(*container) ? container : nullptr;
    }
    return nullptr;
}
