#pragma once

#include <QString>
#include <QStringList>

// What a fetch selects: contacts by identifier, in a container or in a group;
// groups in a container. The default predicate selects everything of the
// kind fetched.
class StorePredicate {
public:
    enum class Kind {
        All,
        ContactsWithIdentifiers,
        ContactsInContainer,
        ContactsInGroup,
        GroupsInContainer,
    };

    StorePredicate() = default;

    [[nodiscard]] static StorePredicate predicateForContactsWithIdentifiers(const QStringList &identifiers);
    [[nodiscard]] static StorePredicate predicateForContactsInContainerWithIdentifier(
        const QString &containerIdentifier);
    [[nodiscard]] static StorePredicate predicateForContactsInGroupWithIdentifier(const QString &groupIdentifier);
    [[nodiscard]] static StorePredicate predicateForGroupsInContainerWithIdentifier(const QString &containerIdentifier);

    [[nodiscard]] Kind kind() const { return m_kind; }
    // The identifiers the predicate names: contacts, or the one container or
    // group it looks into.
    [[nodiscard]] const QStringList &identifiers() const { return m_identifiers; }

private:
    StorePredicate(Kind kind, const QStringList &identifiers)
        : m_kind(kind)
        , m_identifiers(identifiers)
    {
    }

    Kind m_kind = Kind::All;
    QStringList m_identifiers;
};
