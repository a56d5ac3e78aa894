#pragma once

#include "model/SubContactRecord.h"
#include "print/PostcardLayoutView.h"

#include <QList>
#include <QString>

// What the window's controller asks of the postcard preview. The receivers
// and the sender are plain properties: only updateUI() makes the print values
// of the rows and redraws. The layout notifications
// name the preview's view as their object; what they are about is the view's
// shown receiver and its sender, each a value that knows its table row.
class PostcardPreviewPane {
public:
    virtual ~PostcardPreviewPane() = default;

    // The selected rows in the table's order, as they print.
    virtual void setReceiverPersons(const QList<SubContactRecordPtr> &receivers) = 0;
    // The row the detail pane shows: a postcard or envelope preview, which
    // shows one card, shows this one of the receivers.
    virtual void setShownReceiver(const SubContactRecordPtr &row) = 0;
    [[nodiscard]] virtual SubContactRecordPtr senderPerson() const = 0;
    virtual void setSenderPerson(const SubContactRecordPtr &sender) = 0;
    // "Hagaki", "Envelope", "Labels" or "Address List".
    virtual void setSelectedStyle(const QString &style) = 0;
    virtual void updateUI() = 0;
    // The postcard view the preview draws with; null while it has none.
    [[nodiscard]] virtual PostcardLayoutView *hagakiView() const = 0;
};
