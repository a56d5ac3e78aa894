#include "ViewControllerFixture.h"

#include "PersonValueDump.h"

#include <QCoreApplication>

using namespace Qt::Literals::StringLiterals;

namespace {

GroupRecordPtr makeGroup(const ContainerRecord &container, const QString &name, bool top)
{
    auto group = std::make_shared<GroupRecord>();
    group->top = top;
    group->name = name;
    group->containerName = container.name;
    group->containerIdentifier = container.identifier;
    group->uniqueId = top ? container.identifier : u"group-"_s + name;
    group->contactTable = std::make_shared<ContactTable>();
    return group;
}

} // namespace

void ViewControllerTest::SetUp()
{
    m_container = std::make_shared<ContainerRecord>();
    m_container->name = u"On This Computer"_s;
    m_container->type = 1;
    m_container->identifier = u"local"_s;
    m_containerTable->append(m_container);

    const GroupRecordPtr all = makeGroup(*m_container, u"All Contacts"_s, true);
    const GroupRecordPtr friends = makeGroup(*m_container, u"Friends"_s, false);
    const GroupRecordPtr work = makeGroup(*m_container, u"Work"_s, false);
    *m_container->groups = {all, friends, work};
    for (int i = 0; i < 10; ++i) {
        auto person = std::make_shared<MVPerson>();
        person->setUniqueId(u"c%1"_s.arg(i));
        person->nameValue()->firstName = u"Person %1"_s.arg(i);
        const ContactRecordPtr row = ContactRecord::makeWithPerson(person);
        all->contactTable->append(row);
        if (i <= 4)
            friends->contactTable->append(ContactRecord::makeWithPerson(person));
        if (i >= 3 && i <= 7)
            work->contactTable->append(ContactRecord::makeWithPerson(person));
    }

    m_controller.setContactsViewController(&m_table);
    m_controller.setGroupViewController(&m_outline);
    m_controller.setContactInfoController(&m_detail);
    m_controller.setHagakiViewController(&m_preview);
    m_controller.setFindBarController(&m_findBar);
    m_controller.setRedSeparator(&m_separator);
    m_controller.setEditButton(&m_editButton);
    m_controller.setContainerTable(m_containerTable);
    m_controller.setSelectedGroupDict(all);
    m_controller.setContactTable(all->contactTable);
    m_controller.setRepresentedObject({});
    m_log.clear();
}

void FilledContactsTest::SetUp()
{
    ViewControllerTest::SetUp();
    for (int i = 0; i < 3; ++i)
        fillPerson(person(i), u"Taro%1"_s.arg(i));
}
