#include "find/MergeEdits.h"

#include "find/MergeRows.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"
#include "platform/UndoManager.h"

#include <QDebug>

namespace {

bool isAddressPart(const ContactIdentifier &identifier)
{
    return identifier == FieldId::ZIP || identifier == FieldId::State || identifier == FieldId::City
        || identifier == FieldId::Street || identifier == FieldId::Country;
}

bool isNameIdentifier(const ContactIdentifier &identifier)
{
    static const QStringList names{FieldId::Name, FieldId::FirstName, FieldId::LastName, FieldId::MiddleName,
        FieldId::PreviousFamilyName, FieldId::PhoneticName, FieldId::PhoneticFirstName, FieldId::PhoneticLastName,
        FieldId::PhoneticMiddleName};
    return names.contains(identifier);
}

// A name or a part of one as the field holds it; nothing stands for empty.
PersonValue normalized(const PersonValue &value, const ContactIdentifier &identifier, MVPerson &person)
{
    if (!std::holds_alternative<std::monostate>(value))
        return value;
    if (identifier == FieldId::Name)
        return NameRecord();
    if (identifier == FieldId::PhoneticName)
        return PhoneticNameRecord();
    if (identifier == FieldId::Birthday)
        return BirthdayRecord();
    Q_UNUSED(person);
    return QString();
}

} // namespace

MergeEdits::MergeEdits(UndoManager *undoManager, std::function<void()> reload)
    : m_undoManager(undoManager)
    , m_reload(std::move(reload))
{
}

void MergeEdits::registerReplace(
    const PersonValue &old, const ContactIdentifier &identifier, const PersonRecordPtr &contact)
{
    if (m_undoManager)
        m_undoManager->registerUndo(
            this, [this, old, identifier, contact] { undoReplaceValue(old, identifier, contact); });
}

bool MergeEdits::undoReplaceValue(
    const PersonValue &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact)
{
    if (!contact || !contact->person)
        return false;
    MVPerson &person = *contact->person;
    bool changed = false;
    if (MergeRows::isMultiValued(identifier)) {
        changed = replaceLabeled(value, identifier, contact);
    } else if (isAddressPart(identifier)) {
        if (std::holds_alternative<QString>(value))
            qWarning("%s: ERROR %s is a part of an address", Q_FUNC_INFO, qPrintable(identifier));
    } else if (identifier == FieldId::Photo) {
        changed = replacePhoto(value, contact);
    } else if (identifier == FieldId::Birthday) {
        const auto *record = std::get_if<BirthdayRecord>(&value);
        if (record || std::holds_alternative<std::monostate>(value)) {
            const BirthdayRecord old = *person.birthdayValue();
            static const std::optional<StoreDateComponents> noDate;
            const std::optional<StoreDateComponents> &wanted = record ? record->value : noDate;
            if (old.value != wanted) {
                registerReplace(old, identifier, contact);
                person.setValue(value, identifier);
                changed = true;
            }
        }
    } else if (isNameIdentifier(identifier) || FieldVocabulary::shared().stringIdentifiers().contains(identifier)) {
        const PersonValue old = person.valueForIdentifier(identifier);
        const PersonValue wanted = normalized(value, identifier, person);
        if (wanted.index() == old.index() && wanted != old) {
            registerReplace(old, identifier, contact);
            if (std::holds_alternative<QString>(wanted) && std::get<QString>(wanted).isEmpty()
                && !FieldVocabulary::shared().stringIdentifiers().contains(identifier))
                person.deleteValueForIdentifier(identifier);
            else
                person.setValue(wanted, identifier);
            changed = true;
        }
    }
    if (changed) {
        person.setChanged(true);
        m_reload();
    }
    return changed;
}

bool MergeEdits::replaceLabeled(
    const PersonValue &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact)
{
    MVPerson &person = *contact->person;
    if (const auto *list = std::get_if<LabeledValueList>(&value)) {
        const PersonValue old = person.valueForIdentifier(identifier);
        registerReplace(old, identifier, contact);
        person.setValue(*list, identifier);
        return true;
    }
    if (const auto *record = std::get_if<LabeledValueRecord>(&value)) {
        const LabeledValueRecordPtr old = person.labeledValueForIdentifierAtLabelIndex(identifier, record->labelIndex);
        if (!old || *old == *record)
            return false;
        registerReplace(*old, identifier, contact);
        person.replaceLabeledValueAtLabelIndex(*record, identifier, record->labelIndex);
        return true;
    }
    qWarning("%s: ERROR %s needs a labeled value", Q_FUNC_INFO, qPrintable(identifier));
    return false;
}

bool MergeEdits::replacePhoto(const PersonValue &value, const PersonRecordPtr &contact)
{
    MVPerson &person = *contact->person;
    const QImage current = person.photo();
    const auto *image = std::get_if<QImage>(&value);
    if (!image && !std::holds_alternative<std::monostate>(value))
        return false;
    if (image ? (!image->isNull() && *image == current) : current.isNull())
        return false;
    registerPhoto(contact);
    person.setPhoto(image ? *image : QImage());
    return true;
}

// The photo comes back with the bytes it had, so that undoing every change
// leaves a photo that applying the merge sees as untouched.
void MergeEdits::registerPhoto(const PersonRecordPtr &contact)
{
    const QByteArray oldData = contact->person->imageData();
    const QByteArray oldThumbnail = contact->person->thumbnailImageData();
    if (m_undoManager)
        m_undoManager->registerUndo(
            this, [this, oldData, oldThumbnail, contact] { undoReplacePhotoData(oldData, oldThumbnail, contact); });
}

bool MergeEdits::undoReplacePhotoData(
    const QByteArray &data, const QByteArray &thumbnail, const PersonRecordPtr &contact)
{
    if (!contact || !contact->person)
        return false;
    MVPerson &person = *contact->person;
    (void)person.photo();
    if (person.imageData() == data && person.thumbnailImageData() == thumbnail)
        return false;
    registerPhoto(contact);
    person.setPhoto(QImage());
    if (!data.isEmpty())
        person.setImageData(data);
    if (!thumbnail.isEmpty())
        person.setThumbnailImageData(thumbnail);
    person.setChanged(true);
    m_reload();
    return true;
}

void MergeEdits::undoDeleteLabeledValue(
    const LabeledValueRecord &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact)
{
    if (contact && contact->person) {
        if (MergeRows::isMultiValued(identifier)) {
            MVPerson &person = *contact->person;
            registerReplace(person.valueForIdentifier(identifier), identifier, contact);
            person.deleteLabeledValueForIdentifierAtLabelIndex(identifier, value.labelIndex);
        } else {
            qWarning("%s: ERROR %s holds no labeled values", Q_FUNC_INFO, qPrintable(identifier));
        }
    }
    m_reload();
}

void MergeEdits::undoAddLabeledValue(
    const LabeledValueRecord &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact)
{
    if (contact && contact->person) {
        MVPerson &person = *contact->person;
        if (MergeRows::isMultiValued(identifier)) {
            registerReplace(person.valueForIdentifier(identifier), identifier, contact);
            person.addLabeledValue(value, identifier);
        } else if (identifier == FieldId::Birthday) {
            registerReplace(*person.birthdayValue(), identifier, contact);
            if (const auto *components = std::get_if<StoreDateComponents>(&value.value))
                person.setValue(*components, identifier);
            else if (const auto *date = std::get_if<QDate>(&value.value))
                person.setValue(*date, identifier);
        }
    }
    m_reload();
}
