#include "editors/SNSViewController.h"

#include "model/FieldVocabulary.h"
#include "model/ValueRecordFormatter.h"
#include "platform/contacts/ContactLabels.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>

SNSViewController::SNSViewController(QWidget *parent)
    : LabeledValueEditor(parent)
    , m_servicePopup(new QComboBox(this))
    , m_usernameField(new QLineEdit(this))
    , m_userIdentifierField(new QLineEdit(this))
    , m_URLStringField(new QLineEdit(this))
{
    m_usernameField->setPlaceholderText(tr("Username"));
    m_userIdentifierField->setPlaceholderText(tr("User Identifier"));
    m_URLStringField->setPlaceholderText(tr("URL"));
    setUsernameField(m_usernameField);
    auto *serviceRow = new QHBoxLayout;
    serviceRow->addWidget(m_servicePopup, 1);
    serviceRow->addWidget(m_usernameField, 1);
    bodyLayout()->addLayout(serviceRow);
    bodyLayout()->addWidget(m_userIdentifierField);
    bodyLayout()->addWidget(m_URLStringField);
    bodyLayout()->addStretch(1);

    connect(m_servicePopup, &QComboBox::activated, this, &SNSViewController::serviceChosen);
    connect(m_usernameField, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (m_labeledValue)
            m_labeledValue->value = text;
        partEdited(nullptr, text);
    });
    connect(m_userIdentifierField, &QLineEdit::textEdited, this,
        [this](const QString &text) { partEdited(&LabeledValueRecord::AccountParts::userIdentifier, text); });
    connect(m_URLStringField, &QLineEdit::textEdited, this,
        [this](const QString &text) { partEdited(&LabeledValueRecord::AccountParts::urlString, text); });
    setControlsEditing(false);
}

const QStringList &SNSViewController::serviceLabels()
{
    static const QStringList services{ContactLabels::socialProfileServiceTwitter,
        ContactLabels::socialProfileServiceFacebook, ContactLabels::socialProfileServiceFlickr,
        ContactLabels::socialProfileServiceLinkedIn, ContactLabels::socialProfileServiceYelp,
        ContactLabels::socialProfileServiceMySpace, ContactLabels::socialProfileServiceSinaWeibo,
        ContactLabels::socialProfileServiceTencentWeibo, ContactLabels::socialProfileServiceGameCenter};
    return services;
}

void SNSViewController::fillControls(MVPerson *person, bool /*editable*/)
{
    m_labels = FieldVocabulary::shared().labelsForIdentifier(contextType(FieldId::SocialNetwork));
    loadRecord(person, FieldId::SocialNetwork, [](LabeledValueRecord &record) {
        record.value = QStringLiteral("new");
        record.label = serviceLabels().first();
        ValueRecordFormatter::updateSNSValue(&record);
    });
}

void SNSViewController::setControlsEditing(bool editing)
{
    m_servicePopup->setEnabled(editing);
    for (QLineEdit *field : {m_usernameField, m_userIdentifierField, m_URLStringField})
        setFieldEditable(field, editing);
    updateUI();
}

void SNSViewController::updateUI()
{
    m_servicePopup->clear();
    m_servicePopup->addItems(m_labels);
    if (!m_labeledValue || m_labeledValue->accountParts().username.isEmpty())
        return;
    const LabeledValueRecord::AccountParts &account = m_labeledValue->accountParts();
    m_usernameField->setText(account.username);
    m_userIdentifierField->setText(account.userIdentifier);
    m_URLStringField->setText(account.urlString);
    if (!account.service.isEmpty() && !m_labels.contains(account.service)
        && serviceLabels().contains(account.service)) {
        m_labels.append(account.service);
        m_servicePopup->addItem(account.service);
    }
    m_servicePopup->setCurrentIndex(m_servicePopup->findText(account.service));
}

void SNSViewController::serviceChosen(int position)
{
    if (!m_labeledValue || position < 0)
        return;
    const QString service = m_servicePopup->itemText(position);
    m_labeledValue->label = service;
    ValueRecordFormatter::updateSNSValue(m_labeledValue.get());
    updateUI();
    // Without a user name the refilled pop-up would show its first item.
    m_servicePopup->setCurrentIndex(m_servicePopup->findText(service));
    valueDidChange();
}

void SNSViewController::partEdited(HeapString LabeledValueRecord::AccountParts::*part, const QString &text)
{
    if (!m_labeledValue)
        return;
    if (part)
        (*m_labeledValue->account).*part = text;
    ValueRecordFormatter::updateSNSValue(m_labeledValue.get());
    valueDidChange();
}
