#pragma once

#include "print/HagakiView.h"
#include "print/PrintContactRecord.h"
#include "print/PrintInfo.h"
#include "print/PrintOptionsRecord.h"

#include <QString>

#include <memory>

// What a print view is laid out from: the rows to print, the sender, the
// style, the options and the paper. The preview and a print job lay out
// their views through the same function, so both show the same cards.
struct PrintViewRequest {
    PrintContactList rows;
    PrintContactRecordPtr sender;
    QString style;
    // The preview keeps its own options and paper on its view: null leaves
    // the view's as they are.
    PrintOptionsRecordPtr options;
    PrintInfoPtr paper;
    bool printing = false;
};

namespace PrintViewBuilder {

// Prepares the rows and the sender for printing and hands everything to the
// view, which then counts and places its own pages.
void layOut(HagakiView &view, const PrintViewRequest &request);
// A view of its own, for a print job.
[[nodiscard]] std::shared_ptr<HagakiView> make(const PrintViewRequest &request);

} // namespace PrintViewBuilder
