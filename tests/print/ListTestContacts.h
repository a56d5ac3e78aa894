#pragma once

#include "print/AddressListPages.h"
#include "print/EnvelopePages.h"
#include "print/HagakiView.h"
#include "print/LabelPages.h"
#include "print/PrintContactRecord.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <memory>

// Receivers of address lists and labels, made from vCard text, and views that
// print them on Letter paper.
namespace ListTestContacts {

struct Contact {
    QString family;
    QString given = QStringLiteral("Alex");
    QStringList phones; // "label:number"
    QStringList emails;
    QString note;
    bool address = true;
    QString street = QStringLiteral("千代田1-1"); // lines broken by "\n"
};

[[nodiscard]] PrintContactRecordPtr receiver(const Contact &contact);
// "Family0001"… with a phone, an e-mail address and the note.
[[nodiscard]] PrintContactList numberedReceivers(int count, const QString &note = {});

// A view of the style on Letter paper with English options; the address list
// prints the items given.
[[nodiscard]] std::unique_ptr<HagakiView> letterView(const QString &style, const QStringList &listItems = {});

// Prints every page of the view's document through a print job into a PDF file of the
// output folder.
[[nodiscard]] QString printThroughJob(HagakiView &view, const QString &name);

// The preview's page as the pane shows it (the view's bounds), kept in the
// screenshot folder under the name when one is set.
QImage previewImage(HagakiView &view, const QString &name);

} // namespace ListTestContacts
