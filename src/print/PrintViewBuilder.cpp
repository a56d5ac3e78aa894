#include "print/PrintViewBuilder.h"

#include "print/HagakiViewController.h"

void PrintViewBuilder::layOut(HagakiView &view, const PrintViewRequest &request)
{
    // Made again each time: a contact may have changed since.
    PrintContactList receivers;
    receivers.reserve(request.rows.size());
    PrintContactRecordPtr sender;
    for (const SubContactRecordPtr &row : request.rows) {
        receivers.append(HagakiViewController::convertContact(row));
        // The sender's own row is one value on the card, as it is one row in
        // the table.
        if (!sender && request.sender && row == request.sender)
            sender = receivers.last();
    }
    if (request.sender && !sender)
        sender = HagakiViewController::convertContact(request.sender);
    view.setPrinting(request.printing);
    view.setSelectedStyle(request.style);
    if (request.options)
        view.setPrintOptions(request.options);
    if (request.paper)
        view.setPrintInfo(request.paper);
    view.setReceiverPersons(receivers);
    // No sender is handed on too: a sender the user unmarked leaves the card.
    view.setSenderPerson(sender);
}

std::shared_ptr<HagakiView> PrintViewBuilder::make(const PrintViewRequest &request)
{
    auto view = std::make_shared<HagakiView>();
    layOut(*view, request);
    return view;
}
