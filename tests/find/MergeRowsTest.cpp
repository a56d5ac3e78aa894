#include "find/MergeContextInfo.h"
#include "find/MergeEdits.h"
#include "find/MergeRows.h"
#include "model/MVPerson.h"
#include "platform/UndoManager.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>

using namespace Qt::Literals::StringLiterals;

namespace {

LabeledValueRecord phone(const QString &label, const QString &number)
{
    LabeledValueRecord record;
    record.label = label;
    record.value = number;
    record.stringValue = number;
    return record;
}

QList<MergeTableRowPtr> block(const QList<MergeTableRowPtr> &rows, const ContactIdentifier &type)
{
    QList<MergeTableRowPtr> found;
    for (const MergeTableRowPtr &row : rows) {
        if (row->type == type)
            found.append(row);
    }
    return found;
}

struct Sides {
    MVPersonPtr left = std::make_shared<MVPerson>();
    MVPersonPtr right = std::make_shared<MVPerson>();
    QList<MergeTableRowPtr> leftRows;
    QList<MergeTableRowPtr> rightRows;

    void build()
    {
        const auto counts = MergeRows::labeledValueCounts(*left, *right);
        leftRows = MergeRows::build(*left, counts, MergeRows::nameOrderingLabels(*right));
        rightRows = MergeRows::build(*right, counts, MergeRows::nameOrderingLabels(*right));
    }
};

TEST(MergeRows, BlocksLineUpWithFillerRowsOnTheShorterSide)
{
    Sides sides;
    sides.left->addLabeledValue(phone(u"mobile"_s, u"090"_s), FieldId::Phone);
    sides.left->addLabeledValue(phone(u"home"_s, u"075"_s), FieldId::Phone);
    sides.build();
    ASSERT_EQ(sides.leftRows.size(), sides.rightRows.size());
    for (qsizetype i = 0; i < sides.leftRows.size(); ++i)
        EXPECT_EQ(sides.leftRows.at(i)->type, sides.rightRows.at(i)->type) << i;

    struct Case {
        const char *what;
        QList<MergeTableRowPtr> rows;
        QList<qint64> valueCounts;
        QList<qint64> labelIndexes;
    };
    const QList<Case> cases{
        {"left phones", block(sides.leftRows, FieldId::Phone), {2, 1}, {0, 1}},
        {"right phones", block(sides.rightRows, FieldId::Phone), {0, -1}, {-1, -1}},
        {"left mail", block(sides.leftRows, FieldId::Email), {0}, {-1}},
        {"right mail", block(sides.rightRows, FieldId::Email), {0}, {-1}},
    };
    for (const Case &c : cases) {
        QList<qint64> valueCounts;
        QList<qint64> labelIndexes;
        for (const MergeTableRowPtr &row : c.rows) {
            valueCounts.append(row->valueCount.value_or(99));
            labelIndexes.append(row->labelIndex.value_or(99));
        }
        EXPECT_EQ(valueCounts, c.valueCounts) << c.what;
        EXPECT_EQ(labelIndexes, c.labelIndexes) << c.what;
    }
    EXPECT_EQ(block(sides.leftRows, FieldId::Name).size(), 4);
    EXPECT_EQ(block(sides.leftRows, FieldId::PhoneticName).size(), 3);
    EXPECT_EQ(sides.leftRows.first()->type, FieldId::Photo);
    EXPECT_EQ(sides.leftRows.last()->type, FieldId::Note);
}

TEST(MergeRows, ThePhotoTakesTwoLinesAndTheNoteItsOwn)
{
    Sides sides;
    sides.left->setValue(u"one\ntwo\nthree"_s, FieldId::Note);
    sides.build();
    const QList<std::tuple<const char *, MVPerson *, MergeTableRowPtr, int>> cases{
        {"photo", sides.left.get(), sides.leftRows.first(), 2},
        {"note of three lines", sides.left.get(), sides.leftRows.last(), 3},
        {"empty note", sides.right.get(), sides.rightRows.last(), 1},
        {"first name", sides.left.get(), sides.leftRows.at(1), 1},
    };
    for (const auto &[what, person, row, lines] : cases)
        EXPECT_EQ(MergeRows::linesOf(*person, *row), lines) << what;
}

// The sheet's own steps: nothing unchanged is counted or registered.
TEST(MergeEdits, UnchangedValuesOfAnyKindAndBadPhotoValuesChangeNothing)
{
    UndoManager undo;
    int reloads = 0;
    MergeEdits edits(&undo, [&reloads] { ++reloads; });
    auto person = std::make_shared<MVPerson>();
    person->setValue(u"タロウ"_s, FieldId::PhoneticFirstName);
    person->setValue(u"Quillmark"_s, FieldId::Company);
    person->setValue(StoreDateComponents{1980, 5, 1}, FieldId::Birthday);
    const auto contact = ContactRecord::makeWithPerson(person);
    const QList<std::pair<PersonValue, ContactIdentifier>> unchanged{
        {u"タロウ"_s, FieldId::PhoneticFirstName},
        {u"Quillmark"_s, FieldId::Company},
        {*person->birthdayValue(), FieldId::Birthday},
        {*person->nameValue(), FieldId::Name},
        {PersonValue(), FieldId::Photo},
        {u"not a picture"_s, FieldId::Photo},
        {u"x"_s, FieldId::City},
        {u"x"_s, FieldId::Phone},
    };
    for (const auto &[value, identifier] : unchanged)
        EXPECT_FALSE(edits.undoReplaceValue(value, identifier, contact)) << qPrintable(identifier);
    EXPECT_EQ(reloads, 0);
    QCoreApplication::processEvents();
    EXPECT_FALSE(undo.canUndo());

    EXPECT_TRUE(edits.undoReplaceValue(u"ジロウ"_s, FieldId::PhoneticFirstName, contact));
    QCoreApplication::processEvents();
    undo.undo();
    EXPECT_EQ(person->phoneticNameValue()->firstName, u"タロウ"_s);
}

TEST(MergeContextInfo, AWorkingCopyKeepsTheIdentityJointNamesAndPhotoBytes)
{
    auto person = std::make_shared<MVPerson>();
    person->setUniqueId(u"c1"_s);
    person->setValue(u"山田 花子\n山田 次郎"_s, FieldId::Renmei);
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    person->setImageData(jpeg);
    const auto contact = ContactRecord::makeWithPerson(person);
    const ContactRecordPtr copy = MergeContextInfo::workingCopy(contact);
    EXPECT_NE(copy->person, person);
    EXPECT_EQ(copy->uniqueId, contact->uniqueId);
    EXPECT_EQ(copy->person->stringValues()->value(FieldId::Renmei), u"山田 花子\n山田 次郎"_s);
    EXPECT_EQ(copy->person->imageData(), jpeg);
}

} // namespace
