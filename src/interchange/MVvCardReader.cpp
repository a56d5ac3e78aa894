#include "interchange/MVvCard.h"

#include "interchange/VCardOwnProperties_p.h"
#include "platform/contacts/vcard/ContactVCardSerialization.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSet>

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

// The groups a card's categories name, made when not met before; each once.
QList<GroupRecordPtr> groupsOfCategories(const QStringList &names, GroupList &groups)
{
    QList<GroupRecordPtr> found;
    for (const QString &name : names) {
        GroupRecordPtr match;
        for (const GroupRecordPtr &group : std::as_const(groups)) {
            if (group->name == name) {
                match = group;
                break;
            }
        }
        if (!match) {
            match = std::make_shared<GroupRecord>();
            match->name = name;
            match->containerName = u"Local"_s;
            match->uniqueId = categoryGroupId(name);
            match->contactTable = std::make_shared<ContactTable>();
            groups.append(match);
        }
        if (!found.contains(match))
            found.append(match);
    }
    return found;
}

void readRenmei(QStringView card, MVPerson &person)
{
    static constexpr QStringView name = u"X-RENMEI:";
    const qsizetype position = VCardOwnProperties::findLine(card, name);
    if (position < 1)
        return;
    const QStringView value = VCardOwnProperties::restOfLine(card, position + name.size());
    if (!value.isEmpty())
        person.setValue(VCardOwnProperties::unescapeRenmei(value), FieldId::Renmei);
}

// Each line of X-HAGAKILAYOUTS, continuation lines included, is the layout of
// one address, in address order. The lines are taken from the card's text
// itself: unfolding would join them into one.
void readHagakiLayouts(QStringView card, MVPerson &person)
{
    static constexpr QStringView name = u"X-HAGAKILAYOUTS:";
    const qsizetype position = VCardOwnProperties::findLine(card, name);
    if (position < 1)
        return;
    const QStringView extent = VCardOwnProperties::retriveVCardElement(card, position);
    // The layout goes into the address record itself, which a read contact
    // holds already: taking the held list spares formatting every address
    // again for each layout.
    LabeledValueListPtr addresses = person.heldLabeledValues(FieldId::Address);
    if (!addresses)
        addresses = person.labeledValues(FieldId::Address);
    qsizetype index = 0;
    for (const QStringView layout : VCardOwnProperties::foldedLines(extent, name.size())) {
        if (layout.trimmed().isEmpty())
            continue;
        if (index >= addresses->size())
            break;
        HagakiLayoutString::parse(layout, addresses->at(index)->layout);
        ++index;
    }
}

ContactRecordPtr contactOfCard(QStringView card)
{
    const QList<StoreContact> contacts = ContactVCardSerialization::contactsWithData(card);
    if (contacts.isEmpty())
        return nullptr;
    const MVPersonPtr person = MVPerson::initWithCNContact(contacts.constFirst());
    person->setCreated(true);
    readRenmei(card, *person);
    readHagakiLayouts(card, *person);
    auto contact = ContactRecord::makeWithPerson(person);
    contact->labelIndex = 0;
    contact->isNew = true;
    return contact;
}

} // namespace

ContainerTablePtr MVvCard::containersFromVCards(
    const QString &text, QString * /*error*/, const vCardProgressHandler &progressHandler) const
{
    const ContainerRecordPtr container = makeVCardContainer();
    auto containers = std::make_shared<ContainerTable>(ContainerTable{container});
    static constexpr qsizetype shortestCard = 11;
    if (text.size() < shortestCard)
        return containers;
    GroupList &groups = *container->groups;
    const GroupRecordPtr top = groups.constFirst();
    qsizetype position = 0;
    VCardOwnProperties::CardSearch search;
    while (const auto extent = VCardOwnProperties::findCard(text, position, search)) {
        const QStringView card = QStringView(text).sliced(extent->begin, extent->end - extent->begin);
        // The groups come first: they stay even when the card gives no contact.
        const QList<GroupRecordPtr> cardGroups = groupsOfCategories(VCardOwnProperties::findCategories2(card), groups);
        if (const ContactRecordPtr contact = contactOfCard(card)) {
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
        position = extent->end;
        if (text.size() - position <= 10)
            break;
    }
    return containers;
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
