#pragma once

#include "print/HagakiView.h"
#include "print/PrintContactRecord.h"
#include "print/PrintInfo.h"
#include "print/PrintOptionsRecord.h"
#include "print/PrintReceivers.h"

#include <QString>

#include <memory>

// What a print view is laid out from: the table's rows to print, the
// sender's row, the style, the options and the paper. The preview and a print
// job lay out their views through the same function, so both show the same
// cards.
struct PrintViewRequest {
    PrintSourceRows rows;
    SubContactRecordPtr sender;
    QString style;
    // The preview keeps its own options and paper on its view: null leaves
    // the view's as they are.
    PrintOptionsRecordPtr options;
    PrintInfoPtr paper;
    bool printing = false;
    // The row whose card a postcard or envelope preview shows; the first
    // receiver when null or not among the rows.
    SubContactRecordPtr shown;
};

namespace PrintViewBuilder {

// Hands the rows, the sender and the rest to the view, which makes the print
// value of a row when a page first asks for it, and counts and places its own
// pages. The sender's row, when it is one of the rows, is one value with that
// receiver. The rows themselves are only read.
void layOut(HagakiView &view, const PrintViewRequest &request);
// A view of its own, for a print job.
[[nodiscard]] std::shared_ptr<HagakiView> make(const PrintViewRequest &request);

} // namespace PrintViewBuilder
