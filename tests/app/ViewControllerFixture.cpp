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
            friends->contactTable->append(rowFor(row));
        if (i >= 3 && i <= 7)
            work->contactTable->append(rowFor(row));
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

void ViewControllerTest::endTurn()
{
    QCoreApplication::processEvents();
}

GroupRecordPtr ViewControllerTest::group(const QString &name) const
{
    for (const GroupRecordPtr &candidate : std::as_const(*m_container->groups)) {
        if (candidate->name == name)
            return candidate;
    }
    return {};
}

ContactRecordPtr ViewControllerTest::rowOf(const GroupRecordPtr &group, const QString &uniqueId)
{
    for (const ContactRecordPtr &row : std::as_const(*group->contactTable)) {
        if (row->uniqueId == uniqueId)
            return row;
    }
    return {};
}

qsizetype ViewControllerTest::rowCount(const GroupRecordPtr &group, const QString &uniqueId)
{
    return std::count_if(group->contactTable->cbegin(), group->contactTable->cend(),
        [&uniqueId](const ContactRecordPtr &row) { return row->uniqueId == uniqueId; });
}

ContactRecordPtr ViewControllerTest::foreignRow(const QString &uniqueId)
{
    auto person = std::make_shared<MVPerson>();
    person->setUniqueId(uniqueId);
    return ContactRecord::makeWithPerson(person);
}

ContactRecordPtr ViewControllerTest::rowFor(const ContactRecordPtr &row)
{
    return ContactRecord::makeWithPerson(row->person);
}

void ViewControllerTest::showGroup(const GroupRecordPtr &group)
{
    m_controller.groupSelectionDidChange(group);
    m_log.clear();
}

std::string ViewControllerTest::snapshot() const
{
    QStringList lines;
    for (const GroupRecordPtr &group : std::as_const(*m_container->groups)) {
        lines.append(u"%1 %2 changed=%3 deleted=%4 new=%5 renamed=%6"_s.arg(group->name)
                         .arg(quintptr(group.get()))
                         .arg(group->changed)
                         .arg(group->deleted)
                         .arg(group->isNew)
                         .arg(group->groupNameChanged));
        for (const ContactRecordPtr &row : std::as_const(*group->contactTable)) {
            lines.append(u"  %1 %2 person=%3 new=%4 deleted=%5"_s.arg(row->uniqueId)
                             .arg(quintptr(row.get()))
                             .arg(quintptr(row->person.get()))
                             .arg(row->isNew)
                             .arg(row->deleted));
        }
    }
    return lines.join(QLatin1Char('\n')).toStdString();
}

void FilledContactsTest::SetUp()
{
    ViewControllerTest::SetUp();
    for (int i = 0; i < 3; ++i)
        fillPerson(person(i), u"Taro%1"_s.arg(i));
}
