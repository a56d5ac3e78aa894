// The values of the multi-valued fields by labelIndex and by position, and the
// postcard layout of each address.
#include "model/MVPerson.h"

#include "model/HagakiLayoutString.h"
#include "model/LabeledValueBlock.h"

#include <QSet>

#include <algorithm>

namespace {

// The number after the largest labelIndex of the list, taking the largest as
// at least 0 (so a list of new values numbers them from 1).
qint64 nextLabelIndex(const LabeledValueList &records)
{
    qint64 largest = 0;
    for (const LabeledValueRecordPtr &record : records)
        largest = std::max(largest, record->labelIndex);
    return largest + 1;
}

// The records without the null ones, in room for exactly them: an import
// keeps the list as it is.
LabeledValueList withoutNullRecords(LabeledValueList records)
{
    records.removeIf([](const LabeledValueRecordPtr &record) { return !record; });
    if (records.capacity() > records.size())
        records.squeeze();
    return records;
}

// Layouts are kept at the position equal to their labelIndex: a layout for a
// labelIndex beyond the list first brings in those before it.
void growHagakiLayouts(HagakiLayoutList &layouts, qint64 labelIndex)
{
    if (layouts.size() - 1 < labelIndex)
        layouts.reserve(labelIndex + 1);
    while (layouts.size() - 1 < labelIndex) {
        auto layout = std::make_shared<HagakiLayoutRecord>();
        layout->labelIndex = layouts.size();
        layouts.append(layout);
    }
}

// The layouts a layout text gives a contact whose layouts were never asked
// for: one layout, numbered 0, read from the text. The contacts of a file
// mostly carry the text of the one before, and share its list.
std::shared_ptr<HagakiLayoutList> sharedLayoutsOfText(const QString &text)
{
    thread_local QString lastText;
    thread_local std::shared_ptr<HagakiLayoutList> last;
    if (!last || text != lastText) {
        auto layout = std::make_shared<HagakiLayoutRecord>();
        layout->stringValue = text;
        HagakiLayoutString::parse(text, *layout);
        last = std::make_shared<HagakiLayoutList>(HagakiLayoutList{layout});
        lastText = text;
    }
    return last;
}

} // namespace

void MVPerson::updateLabeledValue(const ContactIdentifier &identifier, LabeledValueRecord *record)
{
    if (identifier == FieldId::Phone)
        ValueRecordFormatter::updatePhoneValue(record);
    else if (identifier == FieldId::Email)
        ValueRecordFormatter::updateEmailValue(record);
    else if (identifier == FieldId::URL)
        ValueRecordFormatter::updateURLValue(record);
    else if (identifier == FieldId::Relationship)
        ValueRecordFormatter::updateRelationshipValue(record);
    else if (identifier == FieldId::SocialNetwork)
        ValueRecordFormatter::updateSNSValue(record);
    else if (identifier == FieldId::InstantMessage)
        ValueRecordFormatter::updateIMSValue(record);
    else if (identifier == FieldId::Dates)
        ValueRecordFormatter::updateDatesValue(record);
    else if (identifier == FieldId::Address)
        AddressText::updateAddressValue(record, AddressText::IncludeCountryAndZIP);
}

LabeledValueRecordPtr MVPerson::labeledValueForIdentifierAtLabelIndex(
    const ContactIdentifier &identifier, qint64 labelIndex)
{
    const LabeledValueListPtr records = labeledValues(identifier);
    if (!records)
        return nullptr;
    const qsizetype position = findLabeledValue(*records, labelIndex);
    return position < records->size() ? labeledValueForIdentifierAtIndex(identifier, position) : nullptr;
}

LabeledValueRecordPtr MVPerson::labeledValueForIdentifierAtIndex(const ContactIdentifier &identifier, qsizetype index)
{
    const LabeledValueListPtr records = labeledValues(identifier);
    if (!records || index < 0 || index >= records->size())
        return nullptr;
    // A phone's label and display string are refreshed on every read.
    if (identifier == FieldId::Phone)
        ValueRecordFormatter::updatePhoneValue(records->at(index).get());
    return std::make_shared<LabeledValueRecord>(*records->at(index));
}

HagakiLayoutRecordPtr MVPerson::hagakiLayoutForLabelIndex(qint64 labelIndex)
{
    for (const HagakiLayoutRecordPtr &layout : std::as_const(*hagakiLayouts())) {
        if (layout->labelIndex == labelIndex)
            return std::make_shared<HagakiLayoutRecord>(*layout);
    }
    return nullptr;
}

void MVPerson::shareHagakiLayoutText(const QString &text)
{
    settleReadValues();
    // Only layouts never asked for are those a text alone makes.
    if (m_layoutsShared || !m_caches.holdsSharedEmpty(PersonCaches::Layouts)) {
        replaceLabeledValueAtIndex(text, FieldId::HagakiLayout, 0);
        return;
    }
    m_caches.set(PersonCaches::Layouts, sharedLayoutsOfText(text));
    m_layoutsShared = true;
}

void MVPerson::replaceLabeledValueAtLabelIndex(
    const PersonValue &value, const ContactIdentifier &identifier, qint64 labelIndex)
{
    replaceLabeledValue(value, identifier, labelIndex, true);
}

void MVPerson::replaceLabeledValueAtIndex(
    const PersonValue &value, const ContactIdentifier &identifier, qsizetype index)
{
    replaceLabeledValue(value, identifier, index, false);
}

void MVPerson::replaceLabeledValue(
    const PersonValue &value, const ContactIdentifier &identifier, qint64 number, bool byLabelIndex)
{
    if (identifier == FieldId::HagakiLayout) {
        replaceHagakiLayout(value, number);
        return;
    }
    const LabeledValueListPtr records = labeledValues(identifier);
    if (!records)
        return;
    if (const auto *list = std::get_if<LabeledValueList>(&value)) {
        replaceLabeledValues(*list, identifier);
        return;
    }
    const auto *record = std::get_if<LabeledValueRecord>(&value);
    if (!record)
        return;
    const qsizetype position = byLabelIndex ? findLabeledValue(*records, number) : number;
    if (position < 0 || position >= records->size())
        return;
    auto replacement = std::make_shared<LabeledValueRecord>(*record);
    // A phone's display string too is made here, as for every list taken:
    // the table draws the list as held, and a phone whose text was left to
    // its next read showed its old number there.
    updateLabeledValue(identifier, replacement.get());
    (*records)[position] = replacement;
}

void MVPerson::replaceLabeledValues(LabeledValueList records, const ContactIdentifier &identifier)
{
    takeLabeledValues(std::make_shared<LabeledValueList>(withoutNullRecords(std::move(records))), identifier);
}

void MVPerson::setLabeledValues(std::span<LabeledValues> lists)
{
    const auto labeled = std::ranges::count_if(
        lists, [](const LabeledValues &entry) { return labeledCacheEntry(entry.identifier) != nullptr; });
    const LabeledValueListPtr block = LabeledValueBlock::lists(std::size_t(labeled));
    std::size_t next = 0;
    for (LabeledValues &entry : lists) {
        if (!labeledCacheEntry(entry.identifier)) {
            setValue(std::move(entry.values), entry.identifier);
            continue;
        }
        const LabeledValueListPtr list = LabeledValueBlock::at(block, next++);
        *list = withoutNullRecords(std::move(entry.values));
        takeLabeledValues(list, entry.identifier);
    }
}

void MVPerson::takeLabeledValues(const LabeledValueListPtr &list, const ContactIdentifier &identifier)
{
    settleReadValues();
    const QList<qint64> layoutIndexes = identifier == FieldId::Address ? heldLayoutIndexes() : QList<qint64>();
    qint64 next = nextLabelIndex(*list);
    for (const LabeledValueRecordPtr &record : std::as_const(*list)) {
        if (record->labelIndex == -1)
            record->labelIndex = next++;
        updateLabeledValue(identifier, record.get());
    }
    setLabeledCache(identifier, list);
    if (identifier == FieldId::Address)
        addLayoutsForAddresses(*list, layoutIndexes);
}

QList<qint64> MVPerson::heldLayoutIndexes()
{
    // Taken before the addresses change: a list made after would number its
    // layouts from the new addresses. Layouts held are only read here.
    const std::shared_ptr<HagakiLayoutList> held = m_caches.get(PersonCaches::Layouts);
    const std::shared_ptr<HagakiLayoutList> layouts = held ? held : hagakiLayouts();
    QList<qint64> indexes;
    for (const HagakiLayoutRecordPtr &layout : std::as_const(*layouts))
        indexes.append(layout->labelIndex);
    return indexes;
}

void MVPerson::addLayoutsForAddresses(const LabeledValueList &addresses, const QList<qint64> &layoutIndexes)
{
    // Keyed by the number each address has now, new ones included, so that a
    // layout stored later for that address finds its own.
    // The list is taken only when an address needs a layout: a contact
    // whose one address has the layout it started with keeps sharing it.
    std::shared_ptr<HagakiLayoutList> layouts;
    const QSet<qint64> existing(layoutIndexes.cbegin(), layoutIndexes.cend());
    for (const LabeledValueRecordPtr &address : addresses) {
        if (address->labelIndex < 0 || existing.contains(address->labelIndex))
            continue;
        if (!layouts)
            layouts = hagakiLayouts();
        growHagakiLayouts(*layouts, address->labelIndex);
        layouts->at(address->labelIndex)->label = address->label;
    }
}

void MVPerson::replaceHagakiLayout(const PersonValue &value, qint64 labelIndex)
{
    const std::shared_ptr<HagakiLayoutList> layouts = hagakiLayouts();
    growHagakiLayouts(*layouts, labelIndex);
    const auto found = std::find_if(layouts->cbegin(), layouts->cend(),
        [labelIndex](const HagakiLayoutRecordPtr &layout) { return layout->labelIndex == labelIndex; });
    if (found == layouts->cend())
        return;
    const auto *layout = std::get_if<HagakiLayoutRecordPtr>(&value);
    if (std::holds_alternative<std::monostate>(value) || (layout && !*layout)) {
        qWarning("%s: ERROR no layout for labelIndex %lld", Q_FUNC_INFO, static_cast<long long>(labelIndex));
        return;
    }
    if (layout) {
        (*layouts)[labelIndex] = *layout;
    } else if (const auto *text = std::get_if<QString>(&value)) {
        (*found)->stringValue = *text;
        HagakiLayoutString::parse(*text, **found);
    }
}

void MVPerson::addLabeledValue(const LabeledValueRecord &record, const ContactIdentifier &identifier)
{
    const LabeledValueListPtr records = labeledValues(identifier);
    if (!records)
        return;
    auto added = std::make_shared<LabeledValueRecord>(record);
    added->labelIndex = records->isEmpty() ? 0 : nextLabelIndex(*records);
    updateLabeledValue(identifier, added.get());
    // An added address gets no layout: it prints with the default one until
    // a layout of its number is stored.
    records->append(added);
}

void MVPerson::deleteLabeledValueForIdentifierAtLabelIndex(const ContactIdentifier &identifier, qint64 labelIndex)
{
    const LabeledValueListPtr records = labeledValues(identifier);
    if (!records || labelIndex == NotFound)
        return;
    const qsizetype position = findLabeledValue(*records, labelIndex);
    if (position >= records->size())
        return;
    // Copies of the value that crept in beside it go with it.
    const LabeledValueRecord deleted = *records->at(position);
    records->removeIf([&deleted](const LabeledValueRecordPtr &record) { return *record == deleted; });
}

void MVPerson::deleteLabeledValueForIdentifierAtIndex(const ContactIdentifier &identifier, qsizetype index)
{
    const LabeledValueListPtr records = labeledValues(identifier);
    if (!records || index == NotFound || index < 0 || index >= records->size())
        return;
    records->removeAt(index);
}

void MVPerson::sortLabeledValueForSortDescriptor(const SortDescriptor &descriptor)
{
    const LabeledValueListPtr records = labeledValues(descriptor.key);
    if (!records)
        return;
    // Plain comparison of UTF-16 units: case-sensitive, not by locale.
    std::stable_sort(records->begin(), records->end(),
        [ascending = descriptor.ascending](const LabeledValueRecordPtr &a, const LabeledValueRecordPtr &b) {
            const int order = a->stringValue.compare(b->stringValue);
            return ascending ? order < 0 : order > 0;
        });
}
