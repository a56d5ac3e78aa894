#include "model/MVPerson.h"
#include "platform/contacts/ContactLabels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <thread>
#include <vector>

namespace {

// Every built-in label of every field comes back unchanged through the store's form.
TEST(FieldVocabularyLabels, EveryBuiltInLabelSurvivesTheStoreRoundTrip)
{
    const auto table = MVPerson::labelTableDict();
    ASSERT_FALSE(table.isEmpty());
    for (auto it = table.cbegin(); it != table.cend(); ++it) {
        for (const QString &label : it.value()) {
            const QString storeLabel = MVPerson::CNLabelFromLabel(label);
            EXPECT_EQ(MVPerson::labelFromCNLabel(storeLabel), label) << qPrintable(it.key());
        }
    }
}

// Store labels unwrap to words; one shorter than its wrapping or wrapped on
// one side only stays as it is. Plain words pass through case-sensitively.
TEST(FieldVocabularyLabels, StoreLabelsReadAsWords)
{
    const std::pair<const char *, const char *> rows[]
        = {{"", "No label"}, {"_$!<Cottage>!$_", "Cottage"}, {"_$!<>!$_", "No label"}, {"Facebook", "Facebook"},
            {"_$!<", "_$!<"}, {"a_$!<b", "a_$!<b"}, {"_$!<ab>", "_$!<ab>"}};
    for (const auto &[storeLabel, word] : rows)
        EXPECT_EQ(MVPerson::labelFromCNLabel(QString::fromUtf8(storeLabel)), QString::fromUtf8(word)) << storeLabel;
    EXPECT_EQ(MVPerson::CNLabelFromLabel("Home"), "Home");
    EXPECT_EQ(MVPerson::CNLabelFromLabel(""), "");
}

// The words of the last labels read are known by where their text lies. Each
// text must still read as its own word: one text asked for again, the same
// words in texts of their own, more labels than are kept, and text in room
// that changes between two calls (raw data, which nothing holds).
TEST(FieldVocabularyLabels, RepeatedAndReusedTextsReadAsTheirOwnWords)
{
    const QString work = ContactLabels::work;
    const QString mobile = ContactLabels::phoneNumberMobile;
    const std::pair<QString, const char *> rows[] = {{work, "work"}, {mobile, "mobile"}, {work, "work"},
        {QString(ContactLabels::work), "work"}, {"_$!<Cottage>!$_", "Cottage"}, {"_$!<Barn>!$_", "Barn"},
        {"_$!<Shed>!$_", "Shed"}, {"_$!<Loft>!$_", "Loft"}, {mobile, "mobile"}, {work, "work"}, {QString(), "No label"},
        {QString(""), "No label"}};
    for (const auto &[storeLabel, word] : rows)
        EXPECT_EQ(MVPerson::labelFromCNLabel(storeLabel), QString::fromUtf8(word)) << qPrintable(storeLabel);

    std::array<char16_t, 12> room{};
    for (const char16_t *label : {u"_$!<Barn>!$_", u"_$!<Shed>!$_", u"_$!<Barn>!$_"}) {
        std::copy_n(label, room.size(), room.begin());
        const QString raw = QString::fromRawData(reinterpret_cast<const QChar *>(room.data()), room.size());
        EXPECT_EQ(MVPerson::labelFromCNLabel(raw), QString::fromUtf16(label).mid(4, 4)) << qPrintable(raw);
    }
}

// Custom labels: each test uses words of its own, since the tables live for the process.
TEST(FieldVocabularyCustomLabels, AddRenameAndRemoveKeepBothListsParallel)
{
    const QString field = FieldId::Phone;
    const qsizetype builtIn = MVPerson::labelsForIdentifier(field).size();

    EXPECT_FALSE(MVPerson::setLabel("", "home", field));
    EXPECT_TRUE(MVPerson::setLabel("", "walkie", field));
    EXPECT_EQ(MVPerson::labelsForIdentifier(field).last(), "walkie");
    EXPECT_EQ(MVPerson::localizedLabelsForIdentifier(field).last(), "walkie");
    EXPECT_FALSE(MVPerson::setLabel("", "walkie", field));

    EXPECT_TRUE(MVPerson::setLabel("walkie", "talkie", field));
    EXPECT_EQ(MVPerson::labelsForIdentifier(field).last(), "talkie");
    EXPECT_EQ(MVPerson::localizedLabelsForIdentifier(field).last(), "talkie");

    // Renamed onto another custom label, both entries stay.
    ASSERT_TRUE(MVPerson::setLabel("", "club", field));
    EXPECT_TRUE(MVPerson::setLabel("club", "talkie", field));
    EXPECT_EQ(MVPerson::customLabelsForIdentifier(field)->count("talkie"), 2);

    EXPECT_TRUE(MVPerson::setLabel("talkie", "", field));
    EXPECT_EQ(MVPerson::labelsForIdentifier(field).size(), builtIn);
    EXPECT_EQ(MVPerson::localizedLabelsForIdentifier(field).size(), builtIn);
    EXPECT_FALSE(MVPerson::setLabel("nothing", "", field));
}

// The table registers labels on the main thread while vCard files are read
// on workers; a reader must always see whole lists.
TEST(FieldVocabularyCustomLabels, ReadersOnOtherThreadsSeeWholeListsWhileLabelsAreAddedAndRemoved)
{
    const QString field = FieldId::URL;
    const qsizetype builtIn = MVPerson::labelsForIdentifier(field).size();
    std::atomic<bool> done = false;
    std::atomic<int> torn = 0;
    std::vector<std::thread> readers;
    for (int reader = 0; reader < 3; ++reader) {
        readers.emplace_back([&] {
            while (!done.load()) {
                const qsizetype added = MVPerson::localizedLabelsForIdentifier(field).size() - builtIn;
                const FieldVocabulary::LabelList custom = MVPerson::customLabelsForIdentifier(field);
                const qsizetype customCount = custom ? custom->size() : 0;
                if (added < 0 || added > 1 || customCount > 1
                    || MVPerson::labelsForIdentifier(field).size() > builtIn + 1)
                    ++torn;
            }
        });
    }
    for (int round = 0; round < 2000; ++round) {
        MVPerson::setLabel("", "racing", field);
        MVPerson::setLabel("racing", "", field);
    }
    done = true;
    for (std::thread &reader : readers)
        reader.join();
    EXPECT_EQ(torn.load(), 0);
    EXPECT_EQ(MVPerson::labelsForIdentifier(field).size(), builtIn);
}

TEST(FieldVocabularyCustomLabels, LabelTableHoldsOnlyFieldsWithBuiltInLabels)
{
    ASSERT_TRUE(MVPerson::setLabel("", "headquarters", FieldId::Company));
    EXPECT_FALSE(MVPerson::labelTableDict().contains(FieldId::Company));
    EXPECT_TRUE(MVPerson::labelsForIdentifier(FieldId::Company).isEmpty());
    EXPECT_TRUE(MVPerson::customLabelsForIdentifier(FieldId::Company)->contains("headquarters"));
    EXPECT_TRUE(MVPerson::setLabel("headquarters", "", FieldId::Company));
}

} // namespace
