#pragma once

#include "print/PrintContactRecord.h"
#include "print/PrintInfo.h"

#include <QString>

// The preview's postcard view as the window's controller sees it: the
// receiver whose card it shows, made from a table row, the sender, and the
// paper it draws on.
//
// When the user has moved or resized a text block in layout mode, the view
// writes the block's rectangle into the value's "layoutDict" and posts
// textObjectChangedForReceiver (a receiver's block) or
// textObjectChangedForSender (the sender's) with itself, a QObject, as the
// notification's object.
class PostcardLayoutView {
public:
    static inline const QString textObjectChangedForReceiver = QStringLiteral("TextObjectChangedForReceiver");
    static inline const QString textObjectChangedForSender = QStringLiteral("TextObjectChangedForSender");

    virtual ~PostcardLayoutView() = default;

    // The receiver whose card the view shows and lays out; null without one.
    [[nodiscard]] virtual PrintContactRecordPtr shownReceiver() const = 0;
    [[nodiscard]] virtual PrintContactRecordPtr senderPerson() const = 0;
    virtual void setPrintInfo(const PrintInfoPtr &printInfo) = 0;
};
