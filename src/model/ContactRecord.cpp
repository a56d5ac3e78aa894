#include "model/ContactRecord.h"

#include "model/MVPerson.h"

std::shared_ptr<ContactRecord> ContactRecord::makeWithPerson(const MVPersonPtr &person)
{
    auto record = std::make_shared<ContactRecord>();
    record->person = person;
    if (person) {
        record->uniqueId = person->uniqueIdValue();
        record->uniqueId2 = person->uniqueId2();
    }
    return record;
}
