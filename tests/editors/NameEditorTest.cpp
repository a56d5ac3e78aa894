#include "EditorHarness.h"
#include "EditorTestContacts.h"

#include "common/QtPrinting.h"
#include "editors/NameViewController.h"
#include "editors/PhoneticNameViewController.h"
#include "model/ValueRecordFormatter.h"

#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

class NameEditor : public testing::Test {
protected:
    template <typename Editor> Editor *open(const ContactIdentifier &type, QSize size)
    {
        m_context = EditorHarness::context(m_contact, type);
        return m_harness.open<Editor>(m_context, size, true);
    }
    NameViewController *openName() { return open<NameViewController>(FieldId::Name, QSize(340, 316)); }
    void setName(int nameOrdering)
    {
        NameRecord name = *m_contact->person->nameValue();
        name.nameOrdering = nameOrdering;
        m_contact->person->setValue(name, FieldId::Name);
    }
    // Kana arrive from the input method as committed text.
    static void typeKana(QLineEdit *field, const QString &text)
    {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(field, &commit);
    }
    template <typename Record> [[nodiscard]] Record result() const
    {
        EXPECT_TRUE(m_context->dirty);
        const auto *record = std::get_if<Record>(&m_context->value);
        return record ? *record : Record();
    }

    EditorHarness m_harness;
    ContactRecordPtr m_contact = testContact();
    PopoverContextInfoPtr m_context;
};

TEST_F(NameEditor, ChangedNameKeepsTheStoredOrderingAndPreviousFamilyName)
{
    setName(2);
    NameViewController *editor = openName();
    EXPECT_EQ(editor->nameOrderingPopup()->currentIndex(), 2);
    EXPECT_FALSE(editor->nameOrderingPopup()->isEnabled());
    EXPECT_EQ(editor->previousFamilyNameField()->text(), QStringLiteral("Sato"));
    EditorHarness::type(editor->firstNameField(), QStringLiteral("Jiro"));
    EXPECT_EQ(editor->contactNameField()->text(), QStringLiteral("Yamada Jiro"));
    QTest::mouseClick(editor->doneButton(), Qt::LeftButton);

    const auto name = result<NameRecord>();
    EXPECT_EQ(name.firstName, QStringLiteral("Jiro"));
    EXPECT_EQ(name.lastName, QStringLiteral("Yamada"));
    EXPECT_EQ(name.nameOrdering, 2);
    EXPECT_EQ(name.stringValue, QStringLiteral("Yamada Jiro"));
    EXPECT_EQ(name.previousFamilyName, QStringLiteral("Sato"));
    EXPECT_TRUE(name.showAsPerson);
    for (QLineEdit *field : {editor->contactNameField(), editor->firstNameField(), editor->lastNameField()})
        EXPECT_TRUE(field->text().isEmpty());
}

TEST_F(NameEditor, CompanyDisplayShowsTheCompanyAndStillReturnsTheName)
{
    NameViewController *editor = openName();
    QTest::keyClick(editor->showAsPersonPopup(), Qt::Key_Down);
    EXPECT_EQ(editor->contactNameField()->text(), QStringLiteral("Quill Co."));
    QTest::mouseClick(editor->doneButton(), Qt::LeftButton);
    const auto name = result<NameRecord>();
    EXPECT_FALSE(name.showAsPerson);
    EXPECT_EQ(name.firstName, QStringLiteral("Taro"));
    EXPECT_EQ(name.lastName, QStringLiteral("Yamada"));
}

TEST_F(NameEditor, SystemDefaultOrderingIsTitledAndAppliedByTheSortOrder)
{
    const bool lastFirst = ValueRecordFormatter::effectiveNameOrdering(0) == 2;
    NameViewController *editor = openName();
    EXPECT_EQ(editor->nameOrderingPopup()->itemText(0),
        lastFirst ? QStringLiteral("Name Ordering System Default (Last Name)")
                  : QStringLiteral("Name Ordering System Default (First Name)"));
    EditorHarness::type(editor->lastNameField(), QStringLiteral("Ueda"));
    QTest::mouseClick(editor->doneButton(), Qt::LeftButton);
    EXPECT_EQ(result<NameRecord>().stringValue, lastFirst ? QStringLiteral("Ueda Taro") : QStringLiteral("Taro Ueda"));
}

TEST_F(NameEditor, PhoneticNameOfAContactWithoutOneFollowsTheTypedParts)
{
    m_contact->person->setValue(PhoneticNameRecord(), FieldId::PhoneticName);
    auto *editor = open<PhoneticNameViewController>(FieldId::PhoneticName, QSize(340, 220));
    EXPECT_TRUE(editor->firstNameField()->text().isEmpty());
    EXPECT_EQ(editor->contactNameField()->text(), QStringLiteral("Taro Yamada"));
    typeKana(editor->lastNameField(), QStringLiteral("ヤマダ"));
    EXPECT_EQ(editor->contactNameField()->text(), QStringLiteral("ヤマダ"));
    QTest::mouseClick(editor->doneButton(), Qt::LeftButton);
    const auto phonetic = result<PhoneticNameRecord>();
    EXPECT_EQ(phonetic.lastName, QStringLiteral("ヤマダ"));
    EXPECT_EQ(phonetic.stringValue, QStringLiteral("ヤマダ"));
}

TEST_F(NameEditor, PhoneticEditorShowsTheStoredOrderingOnly)
{
    setName(1);
    m_contact->person->setDefaultNameOrdering(2);
    auto *editor = open<PhoneticNameViewController>(FieldId::PhoneticName, QSize(340, 220));
    EXPECT_EQ(editor->nameOrderingPopup()->currentIndex(), 1);
    EXPECT_EQ(editor->nameOrderingPopup()->itemText(0), QStringLiteral("Name Ordering System Default (Last Name)"));
    EXPECT_FALSE(editor->nameOrderingPopup()->isEnabled());
}

} // namespace
