#pragma once

#include "model/ContactIdentifier.h"
#include "table/ContextMenuKeys.h"

#include <QList>
#include <QString>

// The items of the contact table's context menu for one clicked cell, worked
// out from the column, whether the row holds a value there and whether the
// table is editable. Each item carries its English title as its key (in
// QAction::data()), is shown under the key's translation and dispatched by
// the key, so a translated menu still runs the same commands.
namespace ContactTableMenu {

namespace Key {
inline const QString OpenNamePanel = QStringLiteral("Open Name Panel");
inline const QString ShowContactInfo = QStringLiteral("Show Contact Info");
inline const QString ShowQRCode = QStringLiteral("Show QRCode");
inline const QString DeleteContact = QStringLiteral("Delete Contact");
inline const QString DuplicateContact = QStringLiteral("Duplicate Contact");
// The keys the table shares with the detail views.
using namespace ContextMenuKeys;
inline const QString OpenEditPanel = QStringLiteral("Open Edit Panel");
inline const QString AddDeleteAddressItem = QStringLiteral("Add/Delete Address Item");
inline const QString AddDeleteIMSItem = QStringLiteral("Add/Delete IMS Item");
inline const QString AddDeleteSNSItem = QStringLiteral("Add/Delete SNS Item");
inline const QString OpenDatesPanel = QStringLiteral("Open Dates Panel");
inline const QString OpenBirthdayPanel = QStringLiteral("Open Birthday Panel");
inline const QString OpenPhoneticNamePanel = QStringLiteral("Open Phonetic Name Panel");
inline const QString ClearText = QStringLiteral("Clear Text");
inline const QString ReplaceLabelAndText = QStringLiteral("Replace Label and Text");
inline const QString ReplaceText = QStringLiteral("Replace Text");
inline const QString PrependText = QStringLiteral("Prepend Text");
inline const QString AppendText = QStringLiteral("Append Text");
} // namespace Key

// What an item runs when chosen; None shows it disabled.
enum class Command {
    None,
    ShowPopover,
    Workspace,
    InsertItem,
    ReplaceItem,
    DeleteItem,
    PrependItem,
    AppendItem,
    DeleteContact,
    DuplicateContact,
    ShowQRCode,
};

struct Item {
    QString key; // empty for a separator
    Command command = Command::None;
    bool operator==(const Item &) const = default;
};

// The cell's items in menu order; empty for a column without a menu
// ("Sender"). Outside edit state the commands that change contacts carry
// none.
[[nodiscard]] QList<Item> itemsFor(const ContactIdentifier &identifier, bool valuePresent, bool editState);

// The shown title of a key.
[[nodiscard]] QString titleOf(const QString &key);

} // namespace ContactTableMenu
