#pragma once

#include <QString>

// The keys of the context-menu items that the contact table and the detail
// views both offer. A key is the item's English title: it is carried in
// QAction::data(), shown under its translation and dispatched by itself, so a
// translated menu still runs the same commands.
namespace ContextMenuKeys {

inline const QString CallPhone = QStringLiteral("Call Phone");
inline const QString SendEmail = QStringLiteral("Send Email");
inline const QString OpenURL = QStringLiteral("Open URL");
// The system's map application; on this desktop it reads "Open Map".
inline const QString OpenMap = QStringLiteral("Open Map");
// The map search on the web.
inline const QString OpenGoogleMap = QStringLiteral("Open Google Map");
inline const QString OpenCalendar = QStringLiteral("Open Calendar");
inline const QString OpenAddressPanel = QStringLiteral("Open Address Panel");
inline const QString OpenIMSPanel = QStringLiteral("Open IMS Panel");
inline const QString OpenSNSPanel = QStringLiteral("Open SNS Panel");
inline const QString AddItem = QStringLiteral("Add Item");
inline const QString DeleteItem = QStringLiteral("Delete Item");

} // namespace ContextMenuKeys
