#include "editors/NameViewController.h"

#include "editors/NameOrderingPopup_p.h"
#include "model/MVPerson.h"
#include "model/ValueRecordFormatter.h"

#include <QComboBox>
#include <QLineEdit>
#include <QVBoxLayout>

NameViewController::NameViewController(QWidget *parent)
    : NamePartsEditor(parent)
    , m_previousFamilyNameField(new QLineEdit(this))
    , m_nameOrderingPopup(new QComboBox(this))
    , m_showAsPersonPopup(new QComboBox(this))
    , m_companyField(new QLineEdit(this))
{
    m_previousFamilyNameField->setPlaceholderText(tr("PreviousFamilyName"));
    setFieldEditable(m_previousFamilyNameField, false);
    NameOrderingPopup::show(m_nameOrderingPopup, 0, 0);
    m_showAsPersonPopup->addItems({tr("Name Display: Person"), tr("Name Display: Company")});
    m_companyField->setEnabled(false);
    for (QWidget *control : std::initializer_list<QWidget *>{firstNameField(), middleNameField(), lastNameField(),
             m_previousFamilyNameField, m_nameOrderingPopup, m_showAsPersonPopup, m_companyField})
        bodyLayout()->addWidget(control);
    bodyLayout()->addStretch(1);

    connect(m_showAsPersonPopup, &QComboBox::activated, this, &NameViewController::partsEdited);
    setControlsEditing(false);
}

void NameViewController::fillControls(MVPerson *person, bool editable)
{
    m_showAsPersonPopup->setEnabled(false);
    NameRecord name;
    if (person) {
        const ContactIdentifier type = contextInfo()->type.isEmpty() ? FieldId::Name : contextInfo()->type;
        const PersonValue value = person->valueForIdentifier(type);
        if (const auto *record = std::get_if<NameRecord>(&value))
            name = *record;
    }
    showParts(name.firstName, name.middleName(), name.lastName);
    if (!name.previousFamilyName().isEmpty())
        m_previousFamilyNameField->setText(name.previousFamilyName());
    m_previousFamilyName = name.previousFamilyName();
    NameOrderingPopup::show(m_nameOrderingPopup, ValueRecordFormatter::effectiveNameOrdering(0), name.nameOrdering);
    m_nameOrderingPopup->setToolTip(tr("Sorry, change will not be saved due to the lack of system service."));
    m_showAsPersonPopup->setCurrentIndex(name.showAsPerson ? 0 : 1);
    m_companyField->setText(person ? person->stringValueForIdentifier(FieldId::Company, 0) : QString());
    setPartsEditable(editable);
}

void NameViewController::setControlsEditing(bool editing)
{
    setPartsEditable(editing);
    m_showAsPersonPopup->setEnabled(editing);
}

void NameViewController::partsEdited()
{
    updateNameDict();
    userDidChange();
}

NameRecord NameViewController::updateNameDict()
{
    NameRecord name = typedName();
    name.nameOrdering = m_nameOrderingPopup->currentIndex();
    name.stringValue = ValueRecordFormatter::compositeNameFromNameDict(name);
    // The contact takes the record whole: without it the previous family
    // name would be erased at the next save.
    name.setPreviousFamilyName(m_previousFamilyName);
    name.showAsPerson = m_showAsPersonPopup->currentIndex() != 1;
    contactNameField()->setText(name.showAsPerson ? name.stringValue : m_companyField->text());
    return name;
}

bool NameViewController::writeResult()
{
    contextInfo()->value = updateNameDict();
    contextInfo()->dirty = true;
    return true;
}
