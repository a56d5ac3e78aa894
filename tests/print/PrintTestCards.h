#pragma once

#include "print/EnvelopePages.h"
#include "print/HagakiView.h"
#include "print/PostcardPages.h"
#include "print/PrintContactRecord.h"

#include <QString>

#include <memory>

// Receivers and senders as the preview prepares them, and views that show
// them on a postcard, whose documents print them.
namespace PrintTestCards {

struct Card {
    QString family = QStringLiteral("山田");
    QString given = QStringLiteral("太郎");
    QString renmei;
    QString company;
    bool jointNames = false;
    bool companyLine = false;
    bool hasAddress = true;
    QString zip = QStringLiteral("100-0001");
    QString state = QStringLiteral("東京都");
    QString city = QStringLiteral("千代田区");
    QString street = QStringLiteral("千代田1-1");
    QString savedName; // the frame kept for the card's name block
    QString savedAddress;
};

[[nodiscard]] PrintContactRecordPtr record(const Card &card);

// Japanese options on a postcard.
[[nodiscard]] std::unique_ptr<HagakiView> postcardView();

} // namespace PrintTestCards
