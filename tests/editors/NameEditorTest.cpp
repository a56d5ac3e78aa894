#include "EditorHarness.h"

#include "editors/NameViewController.h"
#include "editors/PhoneticNameViewController.h"
#include "model/ValueRecordFormatter.h"

#include <QComboBox>

namespace {

void setOrdering(const ContactRecordPtr &contact, int nameOrdering)
{
    NameRecord name = *contact->person->nameValue();
    name.nameOrdering = nameOrdering;
    contact->person->setValue(name, FieldId::Name);
}

class NameEditor : public EditorTest<NameViewController> {
protected:
    NameViewController *open() { return EditorTest::open(FieldId::Name, QSize(340, 316)); }
};

TEST_F(NameEditor, ChangedNameKeepsTheStoredOrderingAndPreviousFamilyName)
{
    setOrdering(m_contact, 2);
    open();
    EXPECT_EQ(m_editor->nameOrderingPopup()->currentIndex(), 2);
    EXPECT_FALSE(m_editor->nameOrderingPopup()->isEnabled());
    EXPECT_EQ(m_editor->previousFamilyNameField()->text(), QStringLiteral("Sato"));
    EditorHarness::type(m_editor->firstNameField(), QStringLiteral("Jiro"));
    EXPECT_EQ(m_editor->contactNameField()->text(), QStringLiteral("Yamada Jiro"));
    done();
    NameRecord expected;
    expected.firstName = QStringLiteral("Jiro");
    expected.lastName = QStringLiteral("Yamada");
    expected.setPreviousFamilyName(QStringLiteral("Sato"));
    expected.nameOrdering = 2;
    expected.stringValue = QStringLiteral("Yamada Jiro");
    EXPECT_EQ(result<NameRecord>(), expected);
    for (QLineEdit *field : {m_editor->contactNameField(), m_editor->firstNameField(), m_editor->lastNameField()})
        EXPECT_TRUE(field->text().isEmpty());
}

TEST_F(NameEditor, CompanyDisplayShowsTheCompanyAndStillReturnsTheName)
{
    open();
    QTest::keyClick(m_editor->showAsPersonPopup(), Qt::Key_Down);
    EXPECT_EQ(m_editor->contactNameField()->text(), QStringLiteral("Quill Co."));
    done();
    const NameRecord name = result<NameRecord>();
    EXPECT_EQ(QStringList({name.firstName, name.lastName, QString::number(name.showAsPerson)}),
        QStringList({"Taro", "Yamada", "0"}));
}

TEST_F(NameEditor, SystemDefaultOrderingIsTitledAndAppliedByTheSortOrder)
{
    const bool lastFirst = ValueRecordFormatter::effectiveNameOrdering(0) == 2;
    open();
    EXPECT_EQ(m_editor->nameOrderingPopup()->itemText(0),
        lastFirst ? QStringLiteral("Name Ordering System Default (Last Name)")
                  : QStringLiteral("Name Ordering System Default (First Name)"));
    EditorHarness::type(m_editor->lastNameField(), QStringLiteral("Ueda"));
    done();
    EXPECT_EQ(result<NameRecord>().stringValue, lastFirst ? QStringLiteral("Ueda Taro") : QStringLiteral("Taro Ueda"));
}

using PhoneticNameEditor = EditorTest<PhoneticNameViewController>;

TEST_F(PhoneticNameEditor, OfAContactWithoutOneFollowsTheTypedPartsAndShowsTheStoredOrderingOnly)
{
    m_contact->person->setValue(PhoneticNameRecord(), FieldId::PhoneticName);
    setOrdering(m_contact, 1);
    m_contact->person->setDefaultNameOrdering(2);
    open(FieldId::PhoneticName, QSize(340, 220));
    // The stored ordering, shown only.
    EXPECT_EQ(m_editor->nameOrderingPopup()->currentIndex(), 1);
    EXPECT_EQ(m_editor->nameOrderingPopup()->itemText(0), QStringLiteral("Name Ordering System Default (Last Name)"));
    EXPECT_FALSE(m_editor->nameOrderingPopup()->isEnabled());
    EXPECT_TRUE(m_editor->firstNameField()->text().isEmpty());
    EXPECT_EQ(m_editor->contactNameField()->text(), QStringLiteral("Taro Yamada"));
    EditorHarness::type(m_editor->lastNameField(), QStringLiteral("ヤマダ"));
    EXPECT_EQ(m_editor->contactNameField()->text(), QStringLiteral("ヤマダ"));
    done();
    EXPECT_EQ(result<PhoneticNameRecord>(), (PhoneticNameRecord{{}, {}, "ヤマダ", "ヤマダ"}));
}

} // namespace
