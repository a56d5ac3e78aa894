#include "print/PrintViewBuilder.h"

void PrintViewBuilder::layOut(HagakiView &view, const PrintViewRequest &request)
{
    // Made afresh each time: a contact may have changed since.
    const PrintReceivers receivers(request.rows);
    // The sender's own row is one value on the card, as it is one row in the
    // table.
    const qsizetype senderIndex = receivers.indexOfRow(request.sender);
    const PrintContactRecordPtr sender
        = senderIndex >= 0 ? receivers.at(senderIndex) : PrintReceivers::valueOfRow(request.sender);
    view.setPrinting(request.printing);
    view.setSelectedStyle(request.style);
    if (request.options)
        view.setPrintOptions(request.options);
    if (request.paper)
        view.setPrintInfo(request.paper);
    view.setReceivers(receivers, std::max<qsizetype>(receivers.indexOfRow(request.shown), 0));
    // No sender is handed on too: a sender the user unmarked leaves the card.
    view.setSenderPerson(sender);
}

std::shared_ptr<HagakiView> PrintViewBuilder::make(const PrintViewRequest &request)
{
    auto view = std::make_shared<HagakiView>();
    layOut(*view, request);
    return view;
}
