#include "print/PrintDocumentBuilder.h"

namespace {

// The sender's own row is one value on the card, as it is one row in the
// table. No sender is handed on too: a sender the user unmarked leaves the
// card.
PrintContactRecordPtr senderAmong(const PrintReceivers &receivers, const SubContactRecordPtr &sender)
{
    const qsizetype senderIndex = receivers.indexOfRow(sender);
    return senderIndex >= 0 ? receivers.at(senderIndex) : PrintReceivers::valueOfRow(sender);
}

} // namespace

void PrintDocumentBuilder::layOut(HagakiView &view, const PrintDocumentRequest &request)
{
    // Made afresh each time: a contact may have changed since.
    const PrintReceivers receivers(request.rows);
    view.setSelectedStyle(request.style);
    if (request.options)
        view.setPrintOptions(request.options);
    if (request.paper)
        view.setPrintInfo(request.paper);
    view.setReceivers(receivers, std::max<qsizetype>(receivers.indexOfRow(request.shown), 0));
    view.setSenderPerson(senderAmong(receivers, request.sender));
}

PrintDocument PrintDocumentBuilder::make(const PrintDocumentRequest &request)
{
    const PrintReceivers receivers(request.rows);
    PrintDocument document;
    document.setStyle(PrintStyleName::style(request.style));
    if (request.options)
        document.setOptions(request.options);
    if (request.paper)
        document.setPaper(std::make_shared<PrintInfo>(*request.paper));
    document.setReceivers(receivers);
    document.setSender(senderAmong(receivers, request.sender));
    return document;
}
