#pragma once

#include "detail/DetailHost.h"
#include "detail/DoubleClickDispatch.h"
#include "model/ContactIdentifier.h"
#include "model/LabeledValueRecord.h"
#include "table/ContextMenuKeys.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

class QMenu;

// The context menu of a row of a contact's details: the items of its field,
// rebuilt at each opening. Each item carries its English title as a key in
// QAction::data() and is dispatched by that key; the shown title is its
// translation.
namespace DetailContextMenu {

// The keys, as the menus show them in English.
namespace Key {
// The keys shared with the table.
using namespace ContextMenuKeys;
inline const QString IconSizeBigger = QStringLiteral("Icon Size Bigger");
inline const QString IconSizeSmaller = QStringLiteral("Icon Size Smaller");
inline const QString AddImage = QStringLiteral("Add Image");
inline const QString ReplaceImage = QStringLiteral("Replace Image");
inline const QString DeleteImage = QStringLiteral("Delete Image");
} // namespace Key

// What an item does when chosen.
enum class Command {
    None, // shown disabled
    Workspace, // hands the value to another application
    OpenEditor,
    AddItem,
    DeleteItem,
    IconSizeBigger,
    IconSizeSmaller,
    AddImage,
    DeleteImage,
};

struct Item {
    QString key; // empty for a separator
    Command command = Command::None;
    bool enabled = false;
    bool operator==(const Item &) const = default;
};

// The row's items. Locked, the items that change the contact (adding,
// deleting, the photo) are disabled; the editors open locked.
[[nodiscard]] QList<Item> itemsFor(const ContactIdentifier &type, bool valuePresent, DetailHost host, bool locked);

// The editor an item that opens one opens on a row of the field: the
// single-value editors by their own items, the list's editor by the rest;
// nothing for the name rows.
[[nodiscard]] DoubleClickDispatch::Action editorFor(const ContactIdentifier &type, const QString &key);

// The value Add Item appends to a phone, mail, web address or relation
// list; none for the fields whose Add Item opens an editor instead.
[[nodiscard]] std::optional<LabeledValueRecord> newItemFor(const ContactIdentifier &type);

// The shown title of a key.
[[nodiscard]] QString titleOf(const QString &key);

// Empties the menu and fills it with the items; a chosen enabled item calls
// `chosen` with its key.
void fill(QMenu &menu, const QList<Item> &items, const std::function<void(const QString &key)> &chosen);

} // namespace DetailContextMenu
