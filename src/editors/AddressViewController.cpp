#include "editors/AddressViewController.h"

#include "editors/OneLineField.h"
#include "editors/TextButton.h"
#include "editors/ZipInput.h"
#include "interchange/ZipSearch.h"
#include "model/AddressFormatTable.h"
#include "model/AddressText.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

namespace {

const QString japan = QStringLiteral("JP");

QLineEdit *addressField(const QString &placeholder, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setPlaceholderText(placeholder);
    return field;
}

// Menus are children of the editor: a choice in them is a click inside the
// popover, which keeps it open.
QMenu *menuFor(QToolButton *button, QWidget *editor)
{
    auto *menu = new QMenu(editor);
    button->setMenu(menu);
    return menu;
}

// Sets a field's text only when it differs, so that the cursor of the field
// being typed in stays where it is.
void showText(QLineEdit *field, const QString &text)
{
    if (field->text() != text)
        field->setText(text);
}

QString countryName(const AddressFormatRowPtr &format)
{
    if (!format)
        return {};
    const QString localized = format->localizedCountry.value_or(QString());
    return localized.isEmpty() ? format->country : localized;
}

} // namespace

AddressViewController::AddressViewController(QWidget *parent)
    : ValueEditor(parent)
{
    buildControls();
    setControlsEditing(false);
}

AddressViewController::~AddressViewController() = default;

void AddressViewController::buildControls()
{
    m_labelPopup = new QComboBox(this);
    m_countryCodePopup = TextButton::pullDown(this);
    m_countryMenu = menuFor(m_countryCodePopup, this);
    m_countryField = addressField(tr("Country"), this);
    m_zipField = addressField(tr("ZIP"), this);
    m_zipButton = new QPushButton(tr("Search"), this);
    m_zipButton->setToolTip(tr("Fill in the address from the postal code"));
    m_zipButton->setEnabled(false);
    m_stateField = addressField(tr("State"), this);
    m_statePulldown = TextButton::pullDown(this);
    m_stateMenu = menuFor(m_statePulldown, this);
    m_cityField = addressField(tr("City"), this);
    m_streetField = addressField(tr("Street"), this);
    OneLineField::allowLines(m_streetField);
    m_postalAddressField = new QLabel(this);
    m_postalAddressField->setWordWrap(true);
    m_postalAddressField->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_postalAddressField->setFrameShape(QFrame::StyledPanel);
    m_postalAddressField->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *popupRow = new QHBoxLayout;
    popupRow->addWidget(m_labelPopup, 1);
    popupRow->addWidget(m_countryCodePopup, 1);
    auto *zipRow = new QHBoxLayout;
    zipRow->addWidget(m_zipField, 1);
    zipRow->addWidget(m_zipButton);
    auto *stateRow = new QHBoxLayout;
    stateRow->addWidget(m_stateField, 1);
    stateRow->addWidget(m_statePulldown);
    bodyLayout()->addLayout(popupRow);
    bodyLayout()->addWidget(m_countryField);
    bodyLayout()->addLayout(zipRow);
    bodyLayout()->addLayout(stateRow);
    bodyLayout()->addWidget(m_cityField);
    bodyLayout()->addWidget(m_streetField);
    bodyLayout()->addWidget(m_postalAddressField, 1);

    for (QLineEdit *field : {m_countryField, m_zipField, m_stateField, m_cityField, m_streetField})
        connect(field, &QLineEdit::textEdited, this, [this, field] {
            if (field == m_zipField)
                m_zipNoticeShown = false;
            fieldsEdited();
        });
    // The lookup runs on Return and when the field is left after a change,
    // never per keystroke.
    connect(m_zipField, &QLineEdit::returnPressed, this, &AddressViewController::zipEntered);
    connect(m_zipField, &QLineEdit::editingFinished, this, [this] {
        if (!m_zipField->hasFocus() && m_zipField->isModified()) {
            m_zipField->setModified(false);
            zipEntered();
        }
    });
    connect(m_zipButton, &QPushButton::clicked, this, &AddressViewController::lookUpZip);
    connect(m_labelPopup, &QComboBox::activated, this, &AddressViewController::labelChosen);
    connect(m_stateMenu, &QMenu::triggered, this, [this](QAction *action) { stateChosen(action->text()); });
    connect(m_countryMenu, &QMenu::triggered, this,
        [this](QAction *action) { countryChosen(action->data().toString(), action->text()); });
}

void AddressViewController::setPostalDatabase(std::shared_ptr<const PostalDatabase> database)
{
    m_postalDatabase = std::move(database);
    m_zipSearch.reset();
}

void AddressViewController::fillControls(MVPerson *person, bool /*editable*/)
{
    const ContactIdentifier type
        = contextInfo() && !contextInfo()->type.isEmpty() ? contextInfo()->type : FieldId::Address;
    m_labels = FieldVocabulary::shared().labelsForIdentifier(type);
    m_localizedLabels = FieldVocabulary::shared().localizedLabelsForIdentifier(type);
    m_labelPopup->clear();
    m_labelPopup->addItems(m_localizedLabels);
    m_languageCode = AddressFormatTable::userLanguage();
    m_defaultCountryCode = person ? person->defaultCountryCode().toUpper() : QString();
    buildCountryMenu();
    m_labeledValue = contextInfo() ? recordToEdit(person) : nullptr;
    m_zipNoticeShown = false;
    m_selectedCountryCode = m_labeledValue ? m_labeledValue->addressParts().isoCountryCode.toUpper() : QString();
    if (m_selectedCountryCode.isEmpty()) {
        m_selectedCountryCode = defaultCountry;
        return;
    }
    const AddressFormatRowPtr format = AddressFormatTable::shared().rowsByCode().value(m_selectedCountryCode);
    m_countryCodePopup->setText(QStringLiteral("%1 (%2)").arg(m_selectedCountryCode, countryName(format)));
}

void AddressViewController::buildCountryMenu()
{
    m_countryMenu->clear();
    const QString defaultTitle = tr("Default (%1)").arg(m_defaultCountryCode);
    m_countryCodePopup->setText(defaultTitle);
    m_countryMenu->addAction(defaultTitle)->setData(defaultCountry);
    m_countryMenu->addSeparator();
    QList<QMenu *> letters;
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
        QMenu *submenu = m_countryMenu->addMenu(QString(QChar(letter)));
        submenu->setEnabled(false);
        letters.append(submenu);
    }
    // Within a letter the countries keep the table's order, which the
    // dictionary by code would not keep from one run to the next.
    for (const AddressFormatRowPtr &format : AddressFormatTable::shared().rows()) {
        const QString code = format->countryCode.toUpper();
        const char16_t first = code.isEmpty() ? 0 : code.front().unicode();
        if (first < u'A' || first > u'Z')
            continue;
        QMenu *submenu = letters.at(first - u'A');
        submenu->setEnabled(true);
        submenu->addAction(QStringLiteral("%1 (%2)").arg(code, countryName(format)))->setData(code);
    }
}

LabeledValueRecordPtr AddressViewController::recordToEdit(MVPerson *person) const
{
    const qint64 labelIndex = contextInfo()->labelIndex.value_or(0);
    if (labelIndex != -1) {
        if (contextInfo()->labeledValue)
            return contextInfo()->labeledValue;
        if (person) {
            if (LabeledValueRecordPtr stored
                = person->labeledValueForIdentifierAtLabelIndex(FieldId::Address, labelIndex))
                return stored;
        }
    }
    // A number that names no address opens a new one.
    auto record = std::make_shared<LabeledValueRecord>();
    record->label = QStringLiteral("home");
    record->address->zip = QStringLiteral("123");
    record->labelIndex = -1;
    return record;
}

void AddressViewController::setControlsEditing(bool editing)
{
    m_countryCodePopup->setEnabled(editing);
    for (QLineEdit *field : {m_countryField, m_zipField, m_stateField, m_cityField, m_streetField})
        setFieldEditable(field, editing);
    updateUI();
}

QString AddressViewController::countryCodeInUse() const
{
    QString code = m_labeledValue->addressParts().isoCountryCode.toUpper();
    if (code.isEmpty())
        code = AddressFormatTable::shared().predictCountryCode(m_labeledValue->addressParts().country.toUpper());
    return code.isEmpty() ? m_defaultCountryCode : code;
}

void AddressViewController::updateUI()
{
    const bool editing = isEditing();
    if (!m_labeledValue) {
        m_labelPopup->setEnabled(false);
        m_statePulldown->setEnabled(false);
        m_zipButton->hide();
        return;
    }
    LabeledValueRecord &record = *m_labeledValue;
    if (record.label) {
        m_labelPopup->setCurrentIndex(int(m_labels.indexOf(*record.label)));
        m_labelPopup->setEnabled(editing);
    } else {
        m_labelPopup->setCurrentIndex(0);
        m_labelPopup->setEnabled(false);
    }
    const QString code = countryCodeInUse();
    AddressText::updateAddressValue(&record, AddressText::IncludeCountry);
    // Our records cannot tell an empty part from a missing one: a stale text
    // left in its field would go back into the record at the next keystroke.
    const LabeledValueRecord::AddressParts &address = record.addressParts();
    showText(m_countryField, address.country);
    if (!m_zipNoticeShown)
        showText(m_zipField, address.zip);
    showText(m_stateField, address.state);
    showText(m_cityField, address.city);
    showText(m_streetField, address.street);
    if (const QString mailingForm = AddressText::mailingForm(record, AddressText::IncludeCountry);
        !mailingForm.isEmpty())
        m_postalAddressField->setText(mailingForm);
    showStates(AddressFormatTable::shared().rowsByCode().value(code));
    m_zipButton->setVisible(code == japan);
    m_zipButton->setEnabled(code == japan);
}

void AddressViewController::showStates(const AddressFormatRowPtr &format)
{
    const QStringList states = format ? format->stateChoices(m_languageCode) : QStringList();
    m_statePulldown->setText(tr("States"));
    m_statePulldown->setEnabled(!states.isEmpty());
    const QList<QAction *> shown = m_stateMenu->actions();
    const bool same = shown.size() == states.size()
        && std::equal(shown.cbegin(), shown.cend(), states.cbegin(),
            [](const QAction *action, const QString &state) { return action->text() == state; });
    if (same)
        return;
    m_stateMenu->clear();
    for (const QString &state : states)
        m_stateMenu->addAction(state);
}

void AddressViewController::fieldsEdited()
{
    if (!m_labeledValue)
        return;
    LabeledValueRecord &record = *m_labeledValue;
    record.address->country = m_countryField->text();
    // The notice is no postal code: the record keeps its own.
    if (!m_zipNoticeShown)
        record.address->zip = m_zipField->text();
    record.address->state = m_stateField->text();
    record.address->city = m_cityField->text();
    record.address->street = m_streetField->text();
    updateUI();
    userDidChange();
}

void AddressViewController::labelChosen(int position)
{
    if (!m_labeledValue || position < 0 || position >= m_labels.size())
        return;
    m_labeledValue->label = m_labels.at(position);
    userDidChange();
}

void AddressViewController::stateChosen(const QString &state)
{
    if (!isEditing() || state.isEmpty())
        return;
    m_stateField->setText(state);
    // The record takes it at once: Done right after the choice hands it back.
    fieldsEdited();
}

void AddressViewController::countryChosen(const QString &code, const QString &title)
{
    if (!m_labeledValue || code.isEmpty() || code == m_selectedCountryCode)
        return;
    m_selectedCountryCode = code;
    const bool isDefault = code == defaultCountry;
    m_labeledValue->address->isoCountryCode = isDefault ? QString() : code;
    m_countryCodePopup->setText(title);
    const QString name
        = countryName(AddressFormatTable::shared().rowsByCode().value(isDefault ? m_defaultCountryCode : code));
    if (!name.isEmpty() && m_labeledValue->addressParts().country.isEmpty()) {
        m_labeledValue->address->country = name;
        m_countryField->setText(name);
    }
    updateUI();
    userDidChange();
}

void AddressViewController::zipEntered()
{
    m_zipField->setModified(false);
    if (m_zipNoticeShown)
        return;
    if (m_zipField->text().size() < 3) {
        m_zipButton->setEnabled(false);
        return;
    }
    const bool japanese
        = m_selectedCountryCode == japan || (m_selectedCountryCode == defaultCountry && m_defaultCountryCode == japan);
    if (!japanese)
        return;
    m_zipButton->setEnabled(true);
    lookUpZip();
}

void AddressViewController::lookUpZip()
{
    const QString typed = m_zipField->text();
    if (!m_labeledValue || typed.isEmpty() || m_zipNoticeShown)
        return;
    m_zipField->setModified(false);
    if (!m_zipSearch)
        m_zipSearch = m_postalDatabase ? std::make_unique<ZipSearch>(m_postalDatabase) : std::make_unique<ZipSearch>();
    const QList<PostalRecord> hits = m_zipSearch->addressesFromZip(ZipInput::forLookup(typed));
    if (hits.isEmpty()) {
        showZipNotFound();
        return;
    }
    const PostalRecord &hit = hits.first();
    LabeledValueRecord::AddressParts &parts = *m_labeledValue->address;
    parts.street = m_zipSearch->streetForHit(hit, parts.state, parts.city, parts.street);
    if (!hit.state.isEmpty())
        parts.state = hit.state;
    parts.city = hit.city;
    updateUI();
    userDidChange();
}

void AddressViewController::showZipNotFound()
{
    QApplication::beep();
    m_zipNoticeShown = true;
    m_zipField->setText(tr("Do not find"));
    m_zipField->setModified(false);
    // Shown selected, so that typing replaces it.
    m_zipField->selectAll();
}

bool AddressViewController::writeResult()
{
    if (!m_labeledValue)
        return true;
    contextInfo()->value = *m_labeledValue;
    contextInfo()->dirty = true;
    return true;
}

void AddressViewController::didFinish()
{
    for (QLineEdit *field : {contactNameField(), m_countryField, m_zipField, m_stateField, m_cityField, m_streetField})
        field->clear();
}
