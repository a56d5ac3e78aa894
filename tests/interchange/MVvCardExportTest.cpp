#include "InterchangeTestContacts.h"
#include "common/TestEnvironment.h"

#include "interchange/MVvCard.h"
#include "model/ContactIdentifier.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace Qt::Literals::StringLiterals;
using namespace InterchangeTestContacts;

namespace {

const vCardExportOptions textOptions{u"Note"_s, u"Renmei"_s, u"HagakiLayout"_s};

GroupRecordPtr group(const QString &name, const ContactTable &members, bool top = false)
{
    auto made = std::make_shared<GroupRecord>();
    made->name = name;
    made->top = top;
    made->contactTable = std::make_shared<ContactTable>(members);
    return made;
}

QString groupNamesOf(const ContainerRecordPtr &container, const QString &composite)
{
    QStringList names;
    for (const GroupRecordPtr &candidate : *container->groups) {
        for (const ContactRecordPtr &member : *candidate->contactTable) {
            if (!candidate->top && member->person->compositeName() == composite)
                names.append(candidate->name);
        }
    }
    return names.join(u'|');
}

TEST(MVvCardExport, GroupedExportKeepsItsText)
{
    auto contacts = std::make_shared<ContactTable>();
    for (const QString &name : {u"Ann"_s, u"Ben"_s, u"Cid"_s, u"Dan"_s})
        contacts->append(contactOf(personWithLabel(u"home"_s, name)));
    contacts->at(0)->person->setValue(u"Met in 2019\nat the club"_s, FieldId::Note);
    contacts->at(0)->person->setValue(u"山田花子\n山田一郎"_s, FieldId::Renmei);
    const ContactTable &all = *contacts;
    auto container = std::make_shared<ContainerRecord>();
    container->groups->append({group(u"All Contacts"_s, all, true), group(u"Golf"_s, {all[0], all[3], all[0]}),
        group(u"Smith, Jones"_s, {all[2], all[0]}), group(u"年賀状"_s, {all[3]})});

    const std::optional<QString> text = MVvCard().vCardsFromContacts(contacts, textOptions, container);
    ASSERT_TRUE(text);
    QFile reference(TestEnvironment::dataPath(u"exports/grouped_export.vcf"_s));
    ASSERT_TRUE(reference.open(QIODevice::ReadOnly));
    EXPECT_EQ(*text, QString::fromUtf8(reference.readAll()));

    const ContainerRecordPtr read = MVvCard().containersFromVCards(*text, nullptr)->constFirst();
    EXPECT_EQ(groupNamesOf(read, u"Ann Family"_s), u"Golf|Smith, Jones"_s);
    EXPECT_EQ(groupNamesOf(read, u"Ben Family"_s), QString());
    EXPECT_EQ(groupNamesOf(read, u"Cid Family"_s), u"Smith, Jones"_s);
    EXPECT_EQ(groupNamesOf(read, u"Dan Family"_s), u"Golf|年賀状"_s);
}

} // namespace
