#pragma once

#include <memory>

// The contact record by name and its shared handle, for the headers that only
// hand a contact along and need not see the whole record.
class MVPerson;
using MVPersonPtr = std::shared_ptr<MVPerson>;
