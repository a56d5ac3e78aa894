#include "editors/PhoneticNameViewController.h"

#include "editors/NameOrderingPopup_p.h"
#include "model/MVPerson.h"
#include "model/ValueRecordFormatter.h"

#include <QComboBox>
#include <QLineEdit>
#include <QVBoxLayout>

PhoneticNameViewController::PhoneticNameViewController(QWidget *parent)
    : NamePartsEditor(parent)
    , m_nameOrderingPopup(new QComboBox(this))
{
    NameOrderingPopup::show(m_nameOrderingPopup, 0, 0);
    m_nameOrderingPopup->setItemText(0, tr("Name Ordering"));
    for (QWidget *control :
        std::initializer_list<QWidget *>{firstNameField(), middleNameField(), lastNameField(), m_nameOrderingPopup})
        bodyLayout()->addWidget(control);
    bodyLayout()->addStretch(1);
    setControlsEditing(false);
}

void PhoneticNameViewController::fillControls(MVPerson *person, bool editable)
{
    PhoneticNameRecord phonetic;
    int nameOrdering = 0;
    if (person) {
        const ContactIdentifier type = contextInfo()->type.isEmpty() ? FieldId::PhoneticName : contextInfo()->type;
        const PersonValue value = person->valueForIdentifier(type);
        if (const auto *record = std::get_if<PhoneticNameRecord>(&value))
            phonetic = *record;
        nameOrdering = person->nameValue()->nameOrdering;
    }
    showParts(phonetic.firstName, phonetic.middleName, phonetic.lastName);
    const int defaultOrdering = person && person->defaultNameOrdering() == 2 ? 2 : 1;
    NameOrderingPopup::show(m_nameOrderingPopup, defaultOrdering, nameOrdering);
    setPartsEditable(editable);
}

void PhoneticNameViewController::partsEdited()
{
    contactNameField()->setText(ValueRecordFormatter::compositeNameFromNameDict(typedName()));
    userDidChange();
}

bool PhoneticNameViewController::writeResult()
{
    const NameRecord typed = typedName();
    PhoneticNameRecord record;
    record.firstName = typed.firstName;
    record.middleName = typed.middleName();
    record.lastName = typed.lastName;
    record.stringValue = ValueRecordFormatter::compositeNameFromNameDict(typed);
    contextInfo()->value = record;
    contextInfo()->dirty = true;
    return true;
}
