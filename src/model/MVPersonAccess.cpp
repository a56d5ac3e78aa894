// Reading and changing a contact record's fields by identifier, and its photo.
#include "model/MVPerson.h"

#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/ContactLabels.h"

#include <QBuffer>

using namespace Qt::Literals::StringLiterals;

namespace {

// A part of the name, read and written through functions since the rarely set
// parts are kept on the heap and so are not all of one type.
struct NamePart {
    const QString &(*get)(const NameRecord &) = nullptr;
    void (*set)(NameRecord &, const QString &) = nullptr;
    explicit operator bool() const { return get != nullptr; }
};

template <auto Member> NamePart namePartOf()
{
    return {[](const NameRecord &name) -> const QString & { return name.*Member; },
        [](NameRecord &name, const QString &text) { name.*Member = text; }};
}

template <auto Getter, auto Setter> NamePart rareNamePartOf()
{
    return {[](const NameRecord &name) -> const QString & { return (name.*Getter)(); },
        [](NameRecord &name, const QString &text) { (name.*Setter)(text); }};
}

NamePart namePart(const ContactIdentifier &identifier)
{
    if (identifier == FieldId::FirstName)
        return namePartOf<&NameRecord::firstName>();
    if (identifier == FieldId::MiddleName)
        return rareNamePartOf<&NameRecord::middleName, &NameRecord::setMiddleName>();
    if (identifier == FieldId::LastName)
        return namePartOf<&NameRecord::lastName>();
    if (identifier == FieldId::PreviousFamilyName)
        return rareNamePartOf<&NameRecord::previousFamilyName, &NameRecord::setPreviousFamilyName>();
    return {};
}

QString PhoneticNameRecord::*phoneticPart(const ContactIdentifier &identifier)
{
    if (identifier == FieldId::PhoneticFirstName)
        return &PhoneticNameRecord::firstName;
    if (identifier == FieldId::PhoneticMiddleName)
        return &PhoneticNameRecord::middleName;
    if (identifier == FieldId::PhoneticLastName)
        return &PhoneticNameRecord::lastName;
    return nullptr;
}

bool isStringField(const ContactIdentifier &identifier)
{
    return StringValuesRecord::identifiers().contains(identifier);
}

// Most contacts have no picture, and asking the image readers about no data
// still looks through every image plug-in.
QImage decodedImage(const QByteArray &data)
{
    return data.isEmpty() ? QImage() : QImage::fromData(data);
}

const QString guestImage = u":/UserGuest.png"_s;
const QString companyImage = u":/CompanySquare.png"_s;

} // namespace

void MVPerson::refreshName()
{
    (void)nameValue();
    (void)compositeName();
}

PersonValue MVPerson::valueForIdentifier(const ContactIdentifier &identifier)
{
    if (identifier == FieldId::Name)
        return *nameValue();
    if (identifier == u"compositeName") {
        (void)nameValue();
        return compositeName();
    }
    if (const auto part = namePart(identifier))
        return part.get(*nameValue());
    if (identifier == FieldId::PhoneticName)
        return *phoneticNameValue();
    if (const auto part = phoneticPart(identifier))
        return (*phoneticNameValue()).*part;
    if (isStringField(identifier))
        return stringValues()->value(identifier);
    if (labeledCacheEntry(identifier))
        return labeledValuesCopy(identifier);
    if (identifier == FieldId::HagakiLayout)
        return *hagakiLayouts();
    if (identifier == FieldId::Birthday)
        return *birthdayValue();
    if (identifier == FieldId::Photo) {
        const QImage image = photo();
        return image.isNull() ? PersonValue() : PersonValue(image);
    }
    return {};
}

PersonValue MVPerson::labeledValuesCopy(const ContactIdentifier &identifier)
{
    // Copies keep their numbers: an undo hands them back as they were.
    LabeledValueList copies;
    for (const LabeledValueRecordPtr &record : std::as_const(*labeledValues(identifier)))
        copies.append(std::make_shared<LabeledValueRecord>(*record));
    return copies;
}

bool MVPerson::setNamePart(const ContactIdentifier &identifier, const QString &value)
{
    const auto part = namePart(identifier);
    if (!part)
        return false;
    part.set(*nameValue(), value);
    refreshName();
    return true;
}

bool MVPerson::setPhoneticPart(const ContactIdentifier &identifier, const QString &value)
{
    const auto part = phoneticPart(identifier);
    if (!part)
        return false;
    (*phoneticNameValue()).*part = value;
    (void)phoneticNameValue();
    return true;
}

void MVPerson::setValue(const PersonValue &value, const ContactIdentifier &identifier)
{
    const auto *text = std::get_if<QString>(&value);
    if (identifier == FieldId::Name) {
        if (const auto *name = std::get_if<NameRecord>(&value)) {
            m_name = *name;
            m_nameHeld = true;
            refreshName();
        }
    } else if (namePart(identifier)) {
        if (text)
            setNamePart(identifier, *text);
    } else if (identifier == FieldId::PhoneticName) {
        if (const auto *name = std::get_if<PhoneticNameRecord>(&value)) {
            m_caches.set(PersonCaches::PhoneticName, std::make_shared<PhoneticNameRecord>(*name));
            (void)phoneticNameValue();
        }
    } else if (phoneticPart(identifier)) {
        if (text)
            setPhoneticPart(identifier, *text);
    } else if (isStringField(identifier)) {
        if (text)
            setStringValue(*text, identifier);
        else if (std::holds_alternative<std::monostate>(value))
            setStringValue(std::nullopt, identifier);
    } else if (labeledCacheEntry(identifier)) {
        replaceLabeledValueAtIndex(value, identifier, 0);
    } else if (identifier == FieldId::HagakiLayout) {
        if (const auto *layouts = std::get_if<HagakiLayoutList>(&value))
            setHagakiLayouts(std::make_shared<HagakiLayoutList>(*layouts));
        else
            replaceLabeledValueAtIndex(value, identifier, 0);
    } else if (identifier == FieldId::Birthday) {
        setBirthday(value);
    } else if (identifier == FieldId::Photo) {
        if (const auto *image = std::get_if<QImage>(&value))
            setPhoto(*image);
        else if (std::holds_alternative<std::monostate>(value))
            setPhoto(QImage());
    }
}

void MVPerson::setBirthday(const PersonValue &value)
{
    std::optional<StoreDateComponents> components;
    if (const auto *record = std::get_if<BirthdayRecord>(&value))
        components = record->value;
    else if (const auto *parts = std::get_if<StoreDateComponents>(&value))
        components = *parts;
    else if (const auto *date = std::get_if<QDate>(&value))
        components = StoreDateComponents::fromDate(*date);
    // No value leaves an empty birthday rather than none, so that saving
    // clears the store's birthday instead of keeping it.
    auto birthday = std::make_shared<BirthdayRecord>();
    if (components) {
        birthday->value = components;
        birthday->stringValue = ValueRecordFormatter::dateStringFromDateComponents(*components);
    }
    m_caches.set(PersonCaches::Birthday, birthday);
}

void MVPerson::setValue(LabeledValueList &&values, const ContactIdentifier &identifier)
{
    // The cache is replaced whole, so it is not made first.
    if (labeledCacheEntry(identifier))
        replaceLabeledValues(std::move(values), identifier);
    else
        setValue(PersonValue(std::move(values)), identifier);
}

void MVPerson::deleteValueForIdentifier(const ContactIdentifier &identifier)
{
    if (identifier == FieldId::Name) {
        const NameRecordPtr name = nameValue();
        name->firstName.clear();
        name->setMiddleName(QString());
        name->lastName.clear();
        name->setPreviousFamilyName(QString());
        name->stringValue.clear();
        name->showAsPerson = true;
        refreshName();
    } else if (const auto part = namePart(identifier)) {
        const NameRecordPtr name = nameValue();
        part.set(*name, QString());
        name->stringValue.clear();
        refreshName();
    } else if (identifier == FieldId::PhoneticName) {
        m_caches.set(PersonCaches::PhoneticName, std::make_shared<PhoneticNameRecord>());
    } else if (const auto part = phoneticPart(identifier)) {
        const PhoneticNameRecordPtr name = phoneticNameValue();
        ((*name).*part).clear();
        name->stringValue.clear();
    } else if (identifier == FieldId::Birthday) {
        m_caches.set(PersonCaches::Birthday, std::make_shared<BirthdayRecord>());
    } else if (identifier == FieldId::Photo) {
        setPhoto(QImage());
    }
}

QString MVPerson::stringValueForIdentifier(const ContactIdentifier &identifier, qint64 labelIndex)
{
    if (identifier == FieldId::Name)
        return m_nameHeld ? m_name.stringValue : nameValue()->stringValue;
    if (identifier == FieldId::PhoneticName) {
        const PhoneticNameRecordPtr held = m_caches.get(PersonCaches::PhoneticName);
        return (held ? held : phoneticNameValue())->stringValue;
    }
    if (identifier == FieldId::Birthday)
        return birthdayValue()->stringValue;
    if (labeledCacheEntry(identifier) || identifier == FieldId::HagakiLayout
        || addressIdentifiers().contains(identifier) || identifier == ContactKeys::postalAddressISOCountryCode
        || identifier == u"IMSusername" || identifier == u"IMSservicename" || identifier == u"SNSusername")
        return labeledStringValue(identifier, labelIndex);
    const PersonValue value = valueForIdentifier(identifier);
    const auto *text = std::get_if<QString>(&value);
    return text ? *text : QString();
}

QString MVPerson::labeledStringValue(const ContactIdentifier &identifier, qint64 labelIndex)
{
    const auto recordWith = [labelIndex](const LabeledValueListPtr &records) -> LabeledValueRecordPtr {
        const qsizetype position = findLabeledValue(*records, labelIndex);
        return position < records->size() ? records->at(position) : nullptr;
    };
    // A list without values is read as held: asking its getter would give
    // the contact a list of its own, while a job may be reading its caches.
    if (const LabeledValueList *held = peekLabeledValues(identifier); held && held->isEmpty())
        return {};
    if (const LabeledValueListPtr records = labeledValues(identifier)) {
        // The last value that carries the number.
        for (qsizetype i = records->size() - 1; i >= 0; --i) {
            if (records->at(i)->labelIndex == labelIndex)
                return records->at(i)->stringValue;
        }
        return {};
    }
    if (identifier == FieldId::HagakiLayout) {
        const LabeledValueRecordPtr address = recordWith(addressValues());
        return address ? layoutStringFromHagakiLayoutDict(&*std::as_const(address->layout)) : QString();
    }
    if (identifier == u"IMSusername" || identifier == u"IMSservicename") {
        const LabeledValueRecordPtr address = recordWith(imsValues());
        if (!address)
            return {};
        return identifier == u"IMSusername" ? address->accountParts().username : address->accountParts().service;
    }
    if (identifier == u"SNSusername") {
        const LabeledValueRecordPtr profile = recordWith(snsValues());
        return profile ? profile->accountParts().username : QString();
    }
    const LabeledValueRecordPtr address = recordWith(addressValues());
    return address ? address->addressPart(identifier) : QString();
}

void MVPerson::setStringValue(const std::optional<QString> &value, const ContactIdentifier &identifier)
{
    const StringValuesRecordPtr strings = stringValues();
    // An emptied entry is removed, so it reads back as the empty string.
    strings->setEntry(identifier, value && !value->isEmpty() ? value : std::nullopt);
    if (identifier == FieldId::Company && value)
        (void)compositeName();
}

void MVPerson::takeStorePhotoData()
{
    if (imageData().isEmpty() && attachedContact() && attachedContact()->isKeyAvailable(ContactKeys::imageData)) {
        setImageData(attachedContact()->imageData());
        if (attachedContact()->isKeyAvailable(ContactKeys::thumbnailImageData))
            setThumbnailImageData(attachedContact()->thumbnailImageData());
    }
}

QImage MVPerson::photo()
{
    takeStorePhotoData();
    QImage image = decodedImage(imageData());
    if (image.isNull())
        image = decodedImage(thumbnailImageData());
    return image;
}

void MVPerson::setPhoto(const QImage &image)
{
    m_photoHeld = true;
    if (image.isNull()) {
        if (m_rare.isHeld()) {
            m_rare->imageData.clear();
            m_rare->thumbnailImageData.clear();
        }
        return;
    }
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        qWarning("%s: ERROR can't encode the photo", Q_FUNC_INFO);
        return;
    }
    setImageData(data);
}

QImage MVPerson::thumbnail()
{
    QImage image = photo();
    if (image.isNull()) {
        // Decoded once per thread: the detail pane asks for a picture on
        // every reload. One not found yet is looked for again.
        thread_local QImage guest;
        thread_local QImage company;
        QImage &held = m_showAsPerson ? guest : company;
        if (held.isNull())
            held = QImage(m_showAsPerson ? guestImage : companyImage);
        image = held;
    }
    return image;
}
