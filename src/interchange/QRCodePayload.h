#pragma once

#include "interchange/QRFieldRow.h"

#include <QList>
#include <QString>
#include <QStringList>

class MVPerson;

// The text a contact's QR code carries, in one of the formats phones read:
// the address-book formats of three Japanese carriers ("docomo", "au",
// "SoftBank"), a phone, mail or web link, or a short vCard of the name, the
// ticked values and the organisation.
namespace QRCodePayload {

// The format titles, in the order the panel offers them; they are not translated.
[[nodiscard]] const QStringList &formats();

// The values offered for a contact: its phones, mail addresses, postal
// addresses and web addresses (a blank row for a field without any), then
// company, department and job title. The first phone, mail and postal address
// are ticked.
[[nodiscard]] QList<QRFieldRow> fieldTable(MVPerson &person);

// Whether a format reads rows of that type at all.
[[nodiscard]] bool isEnabled(const QString &format, const QString &type);

// The payload of a format; the phone, mail, postal and web address are those
// of the last ticked row of their type. Empty for an unknown format.
[[nodiscard]] QString payload(const QString &format, MVPerson &person, const QList<QRFieldRow> &table);

// The vCard 3.0 text of the name and the ticked rows, lines ending in CR LF.
[[nodiscard]] QString vCardFromContact(MVPerson &person, const QList<QRFieldRow> &table);

// Every ";" as "\;"; nothing else is escaped.
[[nodiscard]] QString escapeSemicolon(const QString &text);

// A web address with "http://" in front unless it has "http://" or
// "https://" already; "http:" for none.
[[nodiscard]] QString webAddress(const QString &address);

} // namespace QRCodePayload
