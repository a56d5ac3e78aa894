#pragma once

#include "print/HagakiView.h"
#include "print/PrintContactRecord.h"
#include "print/PrintInfo.h"
#include "print/PrintOptionsRecord.h"

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
};

namespace PrintViewBuilder {

// Makes a print value of each row and of the sender and hands everything to
// the view, which then counts and places its own pages. The rows themselves
// are only read.
void layOut(HagakiView &view, const PrintViewRequest &request);
// A view of its own, for a print job.
[[nodiscard]] std::shared_ptr<HagakiView> make(const PrintViewRequest &request);

} // namespace PrintViewBuilder
