// The simple sheet's edits: values typed into its cells, the postal-code
// lookup, the joint names editor and the sheet's own undo.

#include "editors/EditLockToggle.h"
#include "editors/SeparatorBox.h"
#include "editors/RenmeiViewController.h"
#include "editors/SimpleInfoPanelController.h"
#include "editors/SimpleInfoTableModel.h"
#include "editors/ZipInput.h"
#include "interchange/ZipSearch.h"
#include "editors/UndoKeys.h"
#include "model/MVPerson.h"
#include "platform/UndoManager.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

bool SimpleInfoPanelController::undoReplaceValue(const PersonValue &value, const ContactIdentifier &identifier)
{
    const ContactRecordPtr &contact = m_table->contact();
    if (!contact || !contact->person)
        return false;
    MVPerson &person = *contact->person;
    if (identifier == FieldId::Address) {
        bool held = false;
        const LabeledValueRecord old = m_table->address(&held);
        const auto *address = std::get_if<LabeledValueRecord>(&value);
        if (!address && !held)
            return false;
        m_undoManager->registerUndo(
            this, &SimpleInfoPanelController::undoReplaceValue, held ? PersonValue(old) : PersonValue(), identifier);
        if (!address) {
            person.deleteLabeledValueForIdentifierAtIndex(FieldId::Address, m_table->addressIndex());
            m_table->setAddressIndex(qsizetype(contact->labelIndex));
        } else if (held) {
            person.replaceLabeledValueAtIndex(*address, FieldId::Address, m_table->addressIndex());
        } else {
            // A row below the last address adds it at the end of the list;
            // the next parts typed edit that one.
            person.addLabeledValue(*address, FieldId::Address);
            m_table->setAddressIndex(person.addressValues()->size() - 1);
        }
    } else {
        static const QStringList texts{
            FieldId::FirstName, FieldId::LastName, FieldId::Company, FieldId::Renmei, FieldId::Note};
        const auto *text = std::get_if<QString>(&value);
        if (!texts.contains(identifier) || !text)
            return false;
        const QString old = m_table->valueText(identifier);
        if (old == *text)
            return false;
        m_undoManager->registerUndo(this, &SimpleInfoPanelController::undoReplaceValue, PersonValue(old), identifier);
        if (identifier == FieldId::FirstName || identifier == FieldId::LastName)
            person.setValue(*text, identifier);
        else
            person.setStringValue(*text, identifier);
    }
    m_nameField->setText(person.compositeName());
    m_table->reload();
    return true;
}

void SimpleInfoPanelController::valueEdited(const QString &valueKey, const QString &text)
{
    const bool address = valueKey == FieldId::ZIP || valueKey == FieldId::State || valueKey == FieldId::City
        || valueKey == FieldId::Street;
    const bool changed = address ? addressEdited(valueKey, text) : undoReplaceValue(text, valueKey);
    if (!changed)
        return;
    m_dirty = true;
    m_doneButton->setEnabled(true);
}

bool SimpleInfoPanelController::addressEdited(const QString &valueKey, const QString &text)
{
    LabeledValueRecord address = m_table->address();
    if (address.addressPart(valueKey) == text)
        return false;
    if (valueKey == FieldId::ZIP && address.addressParts().state.isEmpty() && address.addressParts().city.isEmpty()
        && !text.isEmpty()) {
        if (!m_zipSearch)
            m_zipSearch
                = m_postalDatabase ? std::make_unique<ZipSearch>(m_postalDatabase) : std::make_unique<ZipSearch>();
        const QList<PostalRecord> hits = m_zipSearch->addressesFromZip(ZipInput::forLookup(text));
        if (!hits.isEmpty()) {
            address.address->state = hits.first().state;
            address.address->city = hits.first().city;
        }
    }
    address.setAddressPart(valueKey, text);
    return undoReplaceValue(address, FieldId::Address);
}

void SimpleInfoPanelController::moveToNextRow()
{
    const int rows = m_table->rowCount();
    if (rows == 0)
        return;
    int next = (m_tableView->currentIndex().row() + 1) % rows;
    if (next == SimpleInfoTableModel::RenmeiRow)
        ++next;
    const QModelIndex cell = m_table->index(next, SimpleInfoTableModel::ValueColumn);
    m_tableView->setCurrentIndex(cell);
    m_tableView->edit(cell);
}

void SimpleInfoPanelController::tableViewDoubleAction(const QModelIndex &index)
{
    if (!m_editButton->isChecked() || !index.isValid() || index.row() >= m_table->rowCount())
        return;
    const QModelIndex cell = m_table->index(index.row(), SimpleInfoTableModel::ValueColumn);
    if (index.row() == SimpleInfoTableModel::RenmeiRow) {
        showRenmeiPopover(m_tableView->visualRect(cell));
        return;
    }
    m_tableView->setCurrentIndex(cell);
    m_tableView->edit(cell);
}

void SimpleInfoPanelController::showRenmeiPopover(const QRect &cell)
{
    if (m_popover) {
        m_popover->close();
        m_popover->deleteLater();
    }
    auto context = std::make_shared<PopoverContextInfo>();
    context->contact = m_table->contact();
    context->type = FieldId::Renmei;
    context->editEnabled = true;
    auto *editor = new RenmeiViewController;
    editor->setSelectedFont(m_selectedFont);
    m_popover = new Popover(this);
    m_popover->setBehavior(Popover::Behavior::Semitransient);
    m_popover->setAnimates(true);
    m_popover->setContentWidget(editor);
    m_popover->setContentSize(QSize(368, 260));
    connect(m_popover, &Popover::didClose, this, [this, editor] {
        const PopoverContextInfoPtr result = editor->contextInfo();
        if (result && result->dirty && undoReplaceValue(result->values.join(u'\n'), FieldId::Renmei)) {
            m_dirty = true;
            m_doneButton->setEnabled(true);
        }
    });
    m_popover->showRelativeToRect(cell, m_tableView->viewport(), Popover::Edge::MaxY);
    editor->setPopover(m_popover);
    editor->setContextInfo(context, m_editButton->isChecked());
}

void SimpleInfoPanelController::pressDone()
{
    // The value still being typed counts.
    m_tableView->setCurrentIndex({});
    if (m_context)
        m_context->newContact = m_table->contact();
    const int code = m_dirty ? 1 : 0;
    reset();
    done(code);
}

void SimpleInfoPanelController::reject()
{
    reset();
    QDialog::reject();
}

void SimpleInfoPanelController::reset()
{
    m_undoManager->removeAllActions();
    m_table->setContact(nullptr);
    m_thumbnail = QImage();
    m_imagePopup->setIcon(QIcon());
    setEditState(false);
    m_doneButton->setText(tr("Done"));
}

void SimpleInfoPanelController::keyPressEvent(QKeyEvent *event)
{
    if (UndoKeys::handle(event, m_undoManager))
        return;
    QDialog::keyPressEvent(event);
}
