#include "interchange/MVvCard.h"

#include "interchange/VCardOwnProperties_p.h"
#include "model/HagakiLayoutString.h"
#include "model/MVPerson.h"
#include "platform/ReadOnceText.h"
#include "platform/contacts/vcard/ContactVCardSerialization.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString vCardContainerName = u"vCard"_s;
// The contacts store's type value of a local container.
constexpr int localContainerType = 1;

ContainerRecordPtr makeVCardContainer()
{
    auto top = std::make_shared<GroupRecord>();
    top->top = true;
    top->name = QCoreApplication::translate("MVvCard", "All Contacts");
    top->containerName = vCardContainerName;
    top->contactTable = std::make_shared<ContactTable>();
    auto container = std::make_shared<ContainerRecord>();
    container->name = vCardContainerName;
    container->type = localContainerType;
    container->groups->append(top);
    return container;
}

// "name-date", the date as the platform describes one: in UTC, to the
// second, with its offset.
QString categoryGroupId(const QString &name)
{
    return u"%1-%2 +0000"_s.arg(name, QDateTime::currentDateTimeUtc().toString(u"yyyy-MM-dd HH:mm:ss"_s));
}

// The container's groups by name, the top group first among them; a
// category not met before makes a group of its own. A file of many
// categories finds each by a lookup instead of a walk over all groups.
class CategoryGroups {
public:
    explicit CategoryGroups(GroupList &groups)
        : m_groups(groups)
    {
        for (const GroupRecordPtr &group : std::as_const(groups))
            m_byName.insert(group->name, group);
    }

    // The groups a card's categories name, each once. The names of the card
    // before, handed over again (see CategoryNames), find its groups at once.
    QList<GroupRecordPtr> groupsOf(const QStringList &names)
    {
        if (!names.isEmpty() && names.isSharedWith(m_lastNames))
            return m_lastGroups;
        QList<GroupRecordPtr> found;
        for (const QString &name : names) {
            GroupRecordPtr &match = m_byName[name];
            if (!match) {
                match = std::make_shared<GroupRecord>();
                match->name = name;
                match->containerName = u"Local"_s;
                match->uniqueId = categoryGroupId(name);
                match->contactTable = std::make_shared<ContactTable>();
                m_groups.append(match);
            }
            if (!found.contains(match))
                found.append(match);
        }
        m_lastNames = names;
        m_lastGroups = found;
        return found;
    }

private:
    GroupList &m_groups;
    QHash<QString, GroupRecordPtr> m_byName;
    QStringList m_lastNames;
    QList<GroupRecordPtr> m_lastGroups;
};

// The names of a CATEGORIES value. The cards of a file mostly repeat the
// value of the card before: its names are handed over again, the same list,
// instead of being split and allocated anew for every card.
class CategoryNames {
public:
    [[nodiscard]] const QStringList &of(QStringView value)
    {
        if (!m_held || value != m_value) {
            m_value = value.toString();
            m_names = VCardOwnProperties::splitCategories(value);
            m_held = true;
        }
        return m_names;
    }

private:
    QString m_value;
    QStringList m_names;
    bool m_held = false;
};

// What a card says in the system's own properties, taken from the lines the
// store's reader hands over while it reads the card: every CATEGORIES line,
// and the first X-RENMEI and X-HAGAKILAYOUTS line. Only lines that start with
// the name in upper case and go on with its colon count, as files written
// before have them.
struct OwnLines {
    QStringList categories;
    std::optional<QString> renmei;
    QStringView layouts;

    void take(const ContactVCardSerialization::OtherLine &line, CategoryNames &names)
    {
        static constexpr QStringView categoriesName = u"CATEGORIES:";
        static constexpr QStringView renmeiName = u"X-RENMEI:";
        static constexpr QStringView layoutsName = u"X-HAGAKILAYOUTS:";
        if (line.written.startsWith(categoriesName) && categories.isEmpty())
            categories = names.of(line.value);
        else if (line.written.startsWith(categoriesName))
            categories.append(names.of(line.value));
        else if (!renmei && line.written.startsWith(renmeiName))
            renmei = VCardOwnProperties::unescapeRenmei(line.value);
        else if (layouts.isNull() && line.written.startsWith(layoutsName))
            layouts = line.written;
    }
};

// Each layout of X-HAGAKILAYOUTS goes to the address at its position.
void readHagakiLayouts(QStringView written, MVPerson &person, VCardOwnProperties::LayoutReader &reader)
{
    static constexpr qsizetype nameLength = 16; // "X-HAGAKILAYOUTS:"
    // The layout goes into the address record itself, which a read contact
    // holds already: taking the held list spares formatting every address
    // again for each layout.
    LabeledValueListPtr addresses = person.heldLabeledValues(FieldId::Address);
    if (!addresses)
        addresses = person.labeledValues(FieldId::Address);
    qsizetype index = 0;
    for (const QStringView layout : reader.read(written, nameLength)) {
        if (layout.trimmed().isEmpty())
            continue;
        if (index >= addresses->size())
            break;
        HagakiLayoutString::parse(layout, *addresses->at(index)->layout);
        ++index;
    }
}

// The card's first contact becomes the record, read where the card's
// contacts lie until the next card.
ContactRecordPtr contactOfCard(
    const QList<StoreContact> &contacts, const OwnLines &own, VCardOwnProperties::LayoutReader &layouts)
{
    if (contacts.isEmpty())
        return nullptr;
    const MVPersonPtr person = MVPerson::initWithCNContact(contacts.first());
    person->setCreated(true);
    if (own.renmei && !own.renmei->isEmpty())
        person->setValue(*own.renmei, FieldId::Renmei);
    if (!own.layouts.isNull())
        readHagakiLayouts(own.layouts, *person, layouts);
    auto contact = ContactRecord::makeWithPerson(person);
    contact->labelIndex = 0;
    contact->isNew = true;
    return contact;
}

// The cards of the text in order; with `once`, the text of each card read is
// given back behind the reader.
ContainerTablePtr readCards(
    QStringView text, const QString &charset, const vCardProgressHandler &progressHandler, ReadOnceText *once)
{
    const ContainerRecordPtr container = makeVCardContainer();
    auto containers = std::make_shared<ContainerTable>(ContainerTable{container});
    static constexpr qsizetype shortestCard = 11;
    if (text.size() < shortestCard)
        return containers;
    CategoryGroups categoryGroups(*container->groups);
    const GroupRecordPtr top = container->groups->constFirst();
    qsizetype position = 0;
    VCardOwnProperties::CardSearch search;
    OwnLines own;
    CategoryNames categoryNames;
    VCardOwnProperties::LayoutReader layouts;
    // A person keeps no identifiers of the values it reads.
    const ContactVCardSerialization::ReadOptions readOptions{
        [&own, &categoryNames](const ContactVCardSerialization::OtherLine &line) { own.take(line, categoryNames); },
        false, charset};
    ContactVCardSerialization::CardReader reader(readOptions);
    QList<StoreContact> contacts;
    while (const auto extent = VCardOwnProperties::findCard(text, position, search)) {
        const QStringView card = text.sliced(extent->begin, extent->end - extent->begin);
        own = OwnLines();
        reader.read(card, contacts);
        // The groups are made even when the card gives no contact.
        const QList<GroupRecordPtr> cardGroups = categoryGroups.groupsOf(own.categories);
        if (const ContactRecordPtr contact = contactOfCard(contacts, own, layouts)) {
            top->contactTable->append(contact);
            for (const GroupRecordPtr &group : cardGroups) {
                if (group != top)
                    group->contactTable->append(contact);
            }
        }
        if (progressHandler) {
            bool stop = false;
            progressHandler(&stop, quint64(extent->end));
            if (stop)
                return nullptr;
        }
        // The search for the next card may look at the end of this one.
        if (once)
            once->giveBackBefore(extent->begin);
        position = extent->end;
        if (text.size() - position <= 10)
            break;
    }
    return containers;
}

} // namespace

ContainerTablePtr MVvCard::containersFromVCards(
    const QString &text, const QString &charset, const vCardProgressHandler &progressHandler) const
{
    return readCards(text, charset, progressHandler, nullptr);
}

ContainerTablePtr MVvCard::containersFromVCards(
    QString &&text, const QString &charset, const vCardProgressHandler &progressHandler) const
{
    ReadOnceText once(std::move(text));
    return readCards(once.view(), charset, progressHandler, &once);
}

ContainerTablePtr MVvCard::containersFromVCards(
    const QString &text, QString * /*error*/, const vCardProgressHandler &progressHandler) const
{
    return containersFromVCards(text, QString(), progressHandler);
}

ContainerTablePtr MVvCard::containersFromVCards(const QString &text, QString *error) const
{
    return containersFromVCards(text, error, nullptr);
}

ContactTablePtr MVvCard::contactsInContainer(const ContainerRecordPtr &container) const
{
    if (!container || container->name != vCardContainerName || !container->groups || container->groups->isEmpty())
        return nullptr;
    const GroupRecordPtr &first = container->groups->constFirst();
    return first ? first->contactTable : nullptr;
}

ContactTablePtr MVvCard::contactsForGroup(const GroupRecordPtr &group, const ContainerRecordPtr &container) const
{
    if (!group || !container || container->name != vCardContainerName || !container->groups)
        return nullptr;
    for (const GroupRecordPtr &candidate : std::as_const(*container->groups)) {
        if (candidate && candidate->uniqueId == group->uniqueId)
            return candidate->contactTable;
    }
    return nullptr;
}
