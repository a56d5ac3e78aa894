#include "print/PrintViewBuilder.h"

#include "print/HagakiViewController.h"

namespace {

// The value of the row, made again: the view's own value of it when it had
// one at that place (a preview redrawn for the same rows), a new one else.
PrintContactRecordPtr valueOf(const SubContactRecordPtr &row, const PrintContactRecordPtr &previous)
{
    if (!row || !previous || previous->source != row)
        return HagakiViewController::convertContact(row);
    HagakiViewController::refill(*previous);
    return previous;
}

} // namespace

void PrintViewBuilder::layOut(HagakiView &view, const PrintViewRequest &request)
{
    // Made again each time: a contact may have changed since.
    const PrintContactList previous = view.receiverPersons();
    PrintContactList receivers;
    receivers.reserve(request.rows.size());
    PrintContactRecordPtr sender;
    for (qsizetype index = 0; index < request.rows.size(); ++index) {
        const SubContactRecordPtr &row = request.rows.at(index);
        receivers.append(valueOf(row, previous.value(index)));
        // The sender's own row is one value on the card, as it is one row in
        // the table.
        if (!sender && request.sender && row == request.sender)
            sender = receivers.last();
    }
    if (request.sender && !sender)
        sender = valueOf(request.sender, view.senderPerson());
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
