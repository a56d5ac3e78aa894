#include "model/PersonDuplicate.h"

#include "model/MVPerson.h"

namespace PersonDuplicate {

namespace {

HagakiLayoutRecordPtr layoutOfAddress(const HagakiLayoutList &layouts, qint64 labelIndex)
{
    for (const HagakiLayoutRecordPtr &layout : layouts) {
        if (layout && layout->labelIndex == labelIndex)
            return layout;
    }
    return nullptr;
}

// The source's layouts, each renumbered to the copy's address at the position
// its own address holds in the source; addresses without one keep the copy's.
void copyLayouts(MVPerson &source, MVPerson &copy)
{
    const HagakiLayoutList sourceLayouts = *source.hagakiLayouts();
    if (sourceLayouts.isEmpty())
        return;
    const LabeledValueList sourceAddresses = *source.addressValues();
    const LabeledValueList copyAddresses = *copy.addressValues();
    const HagakiLayoutList copyDefaults = *copy.hagakiLayouts();
    auto layouts = std::make_shared<HagakiLayoutList>();
    if (copyAddresses.isEmpty()) {
        layouts->append(std::make_shared<HagakiLayoutRecord>(*sourceLayouts.first()));
        copy.setHagakiLayouts(layouts);
        return;
    }
    for (qsizetype i = 0; i < copyAddresses.size(); ++i) {
        const qint64 number = copyAddresses.at(i)->labelIndex;
        HagakiLayoutRecordPtr layout
            = i < sourceAddresses.size() ? layoutOfAddress(sourceLayouts, sourceAddresses.at(i)->labelIndex) : nullptr;
        if (!layout)
            layout = layoutOfAddress(copyDefaults, number);
        auto own = layout ? std::make_shared<HagakiLayoutRecord>(*layout) : std::make_shared<HagakiLayoutRecord>();
        own->labelIndex = number;
        own->label = copyAddresses.at(i)->label;
        layouts->append(own);
    }
    copy.setHagakiLayouts(layouts);
}

} // namespace

MVPersonPtr copyOf(MVPerson &source, CopyLayouts layouts)
{
    const MVPersonPtr copy = MVPerson::initWithCNContact(source.contactFromCache());
    const PersonValue renmei = source.valueForIdentifier(FieldId::Renmei);
    if (const auto *text = std::get_if<QString>(&renmei); text && !text->isEmpty())
        copy->setValue(*text, FieldId::Renmei);
    if (layouts == CopyLayouts::Yes)
        copyLayouts(source, *copy);
    copy->setCreated(true);
    return copy;
}

ContactRecordPtr recordCopyOf(const ContactRecord &source, CopyLayouts layouts)
{
    if (!source.person)
        return nullptr;
    const ContactRecordPtr copy = ContactRecord::makeWithPerson(copyOf(*source.person, layouts));
    copy->isNew = true;
    return copy;
}

} // namespace PersonDuplicate
