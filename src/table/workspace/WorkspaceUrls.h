#pragma once

#include <QString>

// The addresses under which a contact's values are handed to other
// applications: a call, a mail, a map, a web page, the calendar. Each builder
// answers the address's text, or an empty text when the value makes none; the
// caller opens it with WorkspaceOpener. No widgets, so the contact table, the
// detail views and the merge editor build them alike.
namespace WorkspaceUrls {

// A public web map search; the encoded address text follows it directly.
inline const QString webMapSearchEndpoint = QStringLiteral("https://www.google.com/maps/search/");

// Keeps letters, marks and digits of every script (Japanese passes as it is)
// and writes every other character as the percent-escaped bytes of its UTF-8.
[[nodiscard]] QString percentEncoded(const QString &text);

// "tel:" and the number without "(", ")" and spaces; anything but ASCII
// letters, digits, "+", "-" and "." is percent-encoded. ("tel://" would put
// the number where a host goes, which reads "12345678" as an IP address.)
[[nodiscard]] QString phone(const QString &text);
[[nodiscard]] QString mail(const QString &text);
// The text as it is when it begins with "http://" or "https://" in any case,
// else with "http://" in front; empty unless that is an http or https address
// with a host.
[[nodiscard]] QString web(const QString &text);
// The maps application's query: spaces become "+", then all is encoded.
[[nodiscard]] QString maps(const QString &addressText);
[[nodiscard]] QString webMapSearch(const QString &addressText);
// The calendar opens on its own; the date is not passed.
[[nodiscard]] QString calendar();

} // namespace WorkspaceUrls
