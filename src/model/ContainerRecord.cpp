#include "model/ContainerRecord.h"

GroupRecordPtr ContainerRecord::topGroup() const
{
    if (!groups || groups->isEmpty())
        return {};
    return groups->first();
}
