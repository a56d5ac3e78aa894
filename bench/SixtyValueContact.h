#pragma once

#include "model/ContactRecord.h"

#include <QImage>

// The contact the detail, find and merge benchmarks measure: a name, a
// company, a five-line note and 60 labeled values across every labeled field
// (phones, e-mail, web addresses, postal addresses, social profiles, instant
// messages, related names, dates), and the given photo. Contact i differs
// from the others in its numbers.
namespace SixtyValueContact {

[[nodiscard]] ContactRecordPtr make(int index, const QImage &photo = {});

} // namespace SixtyValueContact
