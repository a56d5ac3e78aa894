#include "editors/IMSViewController.h"

#include "model/FieldVocabulary.h"
#include "model/ValueRecordFormatter.h"
#include "platform/contacts/ContactLabels.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>

IMSViewController::IMSViewController(QWidget *parent)
    : LabeledValueEditor(parent)
    , m_labelPopup(new QComboBox(this))
    , m_servicePopup(new QComboBox(this))
    , m_usernameField(new QLineEdit(this))
{
    m_usernameField->setPlaceholderText(tr("Username"));
    setUsernameField(m_usernameField);
    auto *popupRow = new QHBoxLayout;
    popupRow->addWidget(m_labelPopup, 1);
    popupRow->addWidget(m_servicePopup, 1);
    bodyLayout()->addLayout(popupRow);
    bodyLayout()->addWidget(m_usernameField);
    bodyLayout()->addStretch(1);

    connect(m_labelPopup, &QComboBox::activated, this, &IMSViewController::labelChosen);
    connect(m_servicePopup, &QComboBox::activated, this, &IMSViewController::serviceChosen);
    connect(m_usernameField, &QLineEdit::textEdited, this, &IMSViewController::usernameEdited);
    setControlsEditing(false);
}

const QStringList &IMSViewController::serviceLabels()
{
    static const QStringList services{ContactLabels::instantMessageServiceAIM,
        ContactLabels::instantMessageServiceFacebook, ContactLabels::instantMessageServiceGaduGadu,
        ContactLabels::instantMessageServiceGoogleTalk, ContactLabels::instantMessageServiceICQ,
        ContactLabels::instantMessageServiceJabber, ContactLabels::instantMessageServiceMSN,
        ContactLabels::instantMessageServiceQQ, ContactLabels::instantMessageServiceSkype,
        ContactLabels::instantMessageServiceYahoo};
    return services;
}

const QStringList &IMSViewController::oldServiceNames()
{
    static const QStringList names{QStringLiteral("AIMInstant"), QStringLiteral("FacebookInstant"),
        QStringLiteral("GaduGaduInstant"), QStringLiteral("GoogleTalkInstant"), QStringLiteral("ICQInstant"),
        QStringLiteral("JabberInstant"), QStringLiteral("MSNInstant"), QStringLiteral("QQInstant"),
        QStringLiteral("SkypeInstant"), QStringLiteral("YahooInstant")};
    return names;
}

void IMSViewController::fillControls(MVPerson *person, bool /*editable*/)
{
    const ContactIdentifier type = contextType(FieldId::InstantMessage);
    m_labels = FieldVocabulary::shared().labelsForIdentifier(type);
    m_localizedLabels = FieldVocabulary::shared().localizedLabelsForIdentifier(type);
    loadRecord(person, FieldId::InstantMessage, [](LabeledValueRecord &record) {
        record.value = QStringLiteral("new");
        record.account->service = serviceLabels().first();
        record.label = QStringLiteral("home");
        ValueRecordFormatter::updateIMSValue(&record);
    });
}

void IMSViewController::setControlsEditing(bool editing)
{
    m_labelPopup->setEnabled(editing);
    m_servicePopup->setEnabled(editing);
    setFieldEditable(m_usernameField, editing);
    updateUI();
}

void IMSViewController::updateUI()
{
    m_labelPopup->clear();
    m_labelPopup->addItems(m_localizedLabels);
    m_servicePopup->clear();
    m_servicePopup->addItems(serviceLabels());
    if (!m_labeledValue)
        return;
    const LabeledValueRecord &record = *m_labeledValue;
    // A label the field does not know selects nothing.
    m_labelPopup->setCurrentIndex(record.label ? int(m_labels.indexOf(*record.label)) : 0);
    const LabeledValueRecord::AccountParts &account = record.accountParts();
    if (account.username.isEmpty())
        return;
    m_usernameField->setText(account.username);
    if (account.service.isEmpty())
        return;
    const qsizetype old = oldServiceNames().indexOf(account.service);
    const QString service = old >= 0 ? serviceLabels().at(old) : account.service;
    m_servicePopup->setCurrentIndex(m_servicePopup->findText(service));
}

void IMSViewController::labelChosen(int position)
{
    if (!m_labeledValue || position < 0 || position >= m_labels.size())
        return;
    m_labeledValue->label = m_labels.at(position);
    valueDidChange();
}

void IMSViewController::serviceChosen(int position)
{
    if (!m_labeledValue || position < 0)
        return;
    m_labeledValue->account->service = m_servicePopup->itemText(position);
    ValueRecordFormatter::updateIMSValue(m_labeledValue.get());
    valueDidChange();
}

void IMSViewController::usernameEdited(const QString &text)
{
    if (!m_labeledValue)
        return;
    m_labeledValue->value = text;
    ValueRecordFormatter::updateIMSValue(m_labeledValue.get());
    valueDidChange();
}
