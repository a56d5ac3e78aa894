#include "editors/NamePartsEditor.h"

#include <QLineEdit>

namespace {

QLineEdit *partField(const QString &placeholder, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setPlaceholderText(placeholder);
    return field;
}

} // namespace

NamePartsEditor::NamePartsEditor(QWidget *parent)
    : ValueEditor(parent)
    , m_firstNameField(partField(tr("FirstName"), this))
    , m_middleNameField(partField(tr("MiddleName"), this))
    , m_lastNameField(partField(tr("LastName"), this))
{
    contactNameField()->setEnabled(false);
    for (QLineEdit *field : {m_firstNameField, m_middleNameField, m_lastNameField})
        connect(field, &QLineEdit::textEdited, this, [this] { partsEdited(); });
}

void NamePartsEditor::showParts(const QString &firstName, const QString &middleName, const QString &lastName)
{
    const std::pair<QLineEdit *, QString> parts[]
        = {{m_firstNameField, firstName}, {m_middleNameField, middleName}, {m_lastNameField, lastName}};
    for (const auto &[field, text] : parts) {
        if (!text.isEmpty())
            field->setText(text);
    }
}

void NamePartsEditor::setPartsEditable(bool editable)
{
    for (QLineEdit *field : {m_firstNameField, m_middleNameField, m_lastNameField})
        setFieldEditable(field, editable);
}

NameRecord NamePartsEditor::typedName() const
{
    NameRecord name;
    name.firstName = m_firstNameField->text();
    name.setMiddleName(m_middleNameField->text());
    name.lastName = m_lastNameField->text();
    return name;
}

void NamePartsEditor::didFinish()
{
    for (QLineEdit *field : {contactNameField(), m_firstNameField, m_middleNameField, m_lastNameField})
        field->clear();
}
