#include "app/ContactRowsByIdentifier.h"
#include "model/MVPerson.h"

#include <gtest/gtest.h>

#include <QUuid>

using namespace Qt::Literals::StringLiterals;

namespace {

// Store identifiers in both letter cases, texts that are no UUID, and an
// identifier two rows share: the last of them is found.
TEST(ContactRowsByIdentifier, FindsTheLastRowOfEachIdentifierAndNoneForAStranger)
{
    ContactTable rows;
    for (int index = 0; index < 3000; ++index) {
        QString identifier = QUuid::createUuid().toString(QUuid::WithoutBraces);
        if (index % 3 == 1)
            identifier = identifier.toUpper();
        else if (index % 3 == 2)
            identifier = u"company %1"_s.arg(index);
        rows.append(std::make_shared<ContactRecord>(MVPerson::init(), UniqueId(identifier)));
    }
    rows.append(std::make_shared<ContactRecord>(MVPerson::init(), rows.at(10)->uniqueId));
    ContactRowsByIdentifier index(rows.size());
    for (const ContactRecordPtr &row : std::as_const(rows))
        index.insert(row.get());

    for (qsizetype place = 0; place < rows.size() - 1; ++place) {
        const ContactRecord *expected = place == 10 ? rows.last().get() : rows.at(place).get();
        ASSERT_EQ(index.find(UniqueId(rows.at(place)->uniqueId.toString())), expected) << place;
    }
    EXPECT_EQ(index.find(UniqueId(rows.at(1)->uniqueId.toString().toLower())), nullptr);
    EXPECT_EQ(index.find(UniqueId(u"company 3"_s)), nullptr);
    EXPECT_EQ(index.find(UniqueId()), nullptr);
}

} // namespace
