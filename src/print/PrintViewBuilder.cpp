#include "print/PrintViewBuilder.h"

#include "print/HagakiViewController.h"

void PrintViewBuilder::layOut(HagakiView &view, const PrintViewRequest &request)
{
    // Prepared again each time: a contact may have changed since.
    for (const PrintContactRecordPtr &row : request.rows)
        HagakiViewController::convertContact(*row);
    if (request.sender)
        HagakiViewController::convertContact(*request.sender);
    view.setPrinting(request.printing);
    view.setSelectedStyle(request.style);
    if (request.options)
        view.setPrintOptions(request.options);
    if (request.paper)
        view.setPrintInfo(request.paper);
    view.setReceiverPersons(request.rows);
    // No sender is handed on too: a sender the user unmarked leaves the card.
    view.setSenderPerson(request.sender);
}

std::shared_ptr<HagakiView> PrintViewBuilder::make(const PrintViewRequest &request)
{
    auto view = std::make_shared<HagakiView>();
    layOut(*view, request);
    return view;
}
