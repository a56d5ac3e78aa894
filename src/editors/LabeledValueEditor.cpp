#include "editors/LabeledValueEditor.h"

#include "model/MVPerson.h"

#include <QLineEdit>

void LabeledValueEditor::loadRecord(
    MVPerson *person, const ContactIdentifier &type, void (*makeNew)(LabeledValueRecord &))
{
    m_labeledValue = nullptr;
    const qint64 labelIndex = contextInfo() ? contextInfo()->labelIndex.value_or(0) : -1;
    if (person && labelIndex != -1)
        m_labeledValue = person->labeledValueForIdentifierAtLabelIndex(type, labelIndex);
    if (m_labeledValue || !contextInfo())
        return;
    // A number that names no value opens a new one.
    m_labeledValue = std::make_shared<LabeledValueRecord>();
    makeNew(*m_labeledValue);
    m_labeledValue->labelIndex = -1;
}

ContactIdentifier LabeledValueEditor::contextType(const ContactIdentifier &fallback) const
{
    return contextInfo() && !contextInfo()->type.isEmpty() ? contextInfo()->type : fallback;
}

void LabeledValueEditor::valueDidChange()
{
    userDidChange();
    setDoneTakesReturn(true);
}

bool LabeledValueEditor::writeResult()
{
    if (m_labeledValue) {
        contextInfo()->value = *m_labeledValue;
        contextInfo()->dirty = true;
    }
    return true;
}

void LabeledValueEditor::didFinish()
{
    contactNameField()->clear();
    if (m_usernameField)
        m_usernameField->clear();
}
