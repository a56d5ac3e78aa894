#include "model/OptionalText.h"

// One character for the whole program, so that one address marks absence.
const char16_t OptionalText::absentMark = 0;
