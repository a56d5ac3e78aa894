#pragma once

#include "print/HagakiView.h"
#include "print/PrintContactRecord.h"
#include "print/PrintDocument.h"
#include "print/PrintInfo.h"
#include "print/PrintOptionsRecord.h"

#include <QString>

// What a print document is made from: the table's rows to print, the
// sender's row, the style, the options and the paper. The preview and a print
// job make their documents through the same functions, so both show the same
// cards.
struct PrintDocumentRequest {
    PrintSourceRows rows;
    SubContactRecordPtr sender;
    QString style;
    // The preview keeps its own options and paper on its view: null leaves
    // the view's as they are.
    PrintOptionsRecordPtr options;
    PrintInfoPtr paper;
    // The row whose card a postcard or envelope preview shows; the first
    // receiver when null or not among the rows.
    SubContactRecordPtr shown;
};

namespace PrintDocumentBuilder {

// Hands the rows, the sender and the rest to the preview's view, whose
// document makes the print value of a row when a page first asks for it. The
// sender's row, when it is one of the rows, is one value with that receiver.
// The rows themselves are only read.
void layOut(HagakiView &view, const PrintDocumentRequest &request);
// A document of its own for a print job, on its own copy of the paper: the
// printer the job is sent to tells the reach of its paper into the copy, and
// the preview goes on laying out the paper it showed.
[[nodiscard]] PrintDocument make(const PrintDocumentRequest &request);

} // namespace PrintDocumentBuilder
