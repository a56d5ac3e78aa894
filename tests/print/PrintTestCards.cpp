#include "PrintTestCards.h"

#include "model/HagakiLayoutString.h"
#include "print/PrintOptions.h"

using namespace Qt::Literals::StringLiterals;

namespace PrintTestCards {

PrintContactRecordPtr record(const Card &card)
{
    auto row = std::make_shared<PrintContactRecord>();
    NameRecord name;
    name.lastName = card.family;
    name.firstName = card.given;
    row->name = name;
    row->compositeName = card.family + u' ' + card.given;
    row->renmei = card.renmei;
    if (!card.company.isEmpty())
        row->company = card.company;
    if (card.hasAddress) {
        auto address = std::make_shared<LabeledValueRecord>();
        address->address->zip = card.zip;
        address->address->state = card.state;
        address->address->city = card.city;
        address->address->street = card.street;
        address->layout->renmei = card.jointNames;
        address->layout->company = card.companyLine;
        address->layout->receiverName = HagakiLayoutString::frameFromString(card.savedName);
        address->layout->senderName = HagakiLayoutString::frameFromString(card.savedName);
        address->layout->receiverAddress = HagakiLayoutString::frameFromString(card.savedAddress);
        address->layout->senderAddress = HagakiLayoutString::frameFromString(card.savedAddress);
        row->layoutDict = address;
    }
    return row;
}

std::unique_ptr<HagakiView> postcardView()
{
    auto view = std::make_unique<HagakiView>();
    view->setSelectedStyle(PrintStyleName::hagaki);
    view->setPrintOptions(std::make_shared<PrintOptionsRecord>(PrintOptions::initPrintOptions(u"ja"_s)));
    auto paper = std::make_shared<PrintInfo>();
    paper->setPaperName(u"Postcard"_s);
    view->setPrintInfo(paper);
    return view;
}

} // namespace PrintTestCards
