#include "model/ContactRecord.h"

#include "model/MVPerson.h"
#include "model/SubContactRecord.h"

std::shared_ptr<ContactRecord> ContactRecord::makeWithPerson(const MVPersonPtr &person)
{
    auto record = std::make_shared<ContactRecord>();
    record->person = person;
    if (person) {
        record->uniqueId = person->uniqueIdValue();
        record->setUniqueId2(person->uniqueId2());
    }
    return record;
}

// A row, its two flags in the room its base leaves, and its shared_ptr's
// counts fit a 96-byte heap chunk: a large import holds one per contact.
static_assert(sizeof(void *) != 8 || sizeof(ContactRecord) <= 72);
// A table row fits an 80-byte chunk the same way.
static_assert(sizeof(void *) != 8 || sizeof(SubContactRecord) <= 56);
