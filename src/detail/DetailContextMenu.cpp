#include "detail/DetailContextMenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

using namespace FieldId;

namespace DetailContextMenu {

namespace {

// The translations of the keys, under one context.
[[maybe_unused]] const char *const translatedTitles[] = {
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Call Phone"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Send Email"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Open URL"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Open Map"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Open Google Map"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Open Calendar"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Add Item"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Delete Item"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Open Address Panel"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Open IMS Panel"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Open SNS Panel"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Open URL Panel"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Open Phone Panel"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Open Email Panel"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Open Relationship Panel"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Open Dates Panel"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Open Birthday Panel"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Add/Delete Phone Item"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Add/Delete Email Item"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Add/Delete URL Item"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Add/Delete Relationship Item"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Add/Delete Address Item"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Add/Delete IMS Item"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Add/Delete SNS Item"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Add/Delete Date Item"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Icon Size Bigger"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Icon Size Smaller"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Add Image"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Replace Image"),
    QT_TRANSLATE_NOOP("ContactInfoMenu", "Delete Image"),
};

const Item separator{};

class Builder {
public:
    Builder(bool valuePresent, bool locked)
        : m_present(valuePresent)
        , m_locked(locked)
    {
    }

    // An action on the value: disabled without one.
    void onValue(const QString &key, Command command) { add(key, m_present ? command : Command::None); }
    void editor(const QString &key) { add(key, Command::OpenEditor); }
    void editorOnValue(const QString &key) { onValue(key, Command::OpenEditor); }
    // A change of the contact: disabled while locked.
    void change(const QString &key, Command command) { add(key, m_locked ? Command::None : command); }
    void deleteItem()
    {
        if (m_present)
            change(Key::DeleteItem, Command::DeleteItem);
    }
    void addItem() { change(Key::AddItem, Command::AddItem); }
    void addSeparator() { m_items.append(separator); }
    [[nodiscard]] QList<Item> items() const { return m_items; }

private:
    void add(const QString &key, Command command) { m_items.append({key, command, command != Command::None}); }

    bool m_present;
    bool m_locked;
    QList<Item> m_items;
};

// Phone, mail and web address: the action on the value, the list's editor,
// then Delete and Add.
void linkRow(Builder &menu, const QString &action, const QString &editor)
{
    menu.onValue(action, Command::Workspace);
    menu.editor(editor);
    menu.deleteItem();
    menu.addItem();
}

void photoRow(Builder &menu, bool present)
{
    if (!present) {
        menu.change(Key::AddImage, Command::AddImage);
        return;
    }
    menu.onValue(Key::IconSizeBigger, Command::IconSizeBigger);
    menu.onValue(Key::IconSizeSmaller, Command::IconSizeSmaller);
    menu.addSeparator();
    menu.change(Key::ReplaceImage, Command::AddImage);
    menu.change(Key::DeleteImage, Command::DeleteImage);
}

// A row of the merge sheet: each list opens its own editor, Add Item comes
// before Delete Item, and the photo has no height items.
void mergeRow(Builder &menu, const ContactIdentifier &type, bool present)
{
    auto addThenDelete = [&menu] {
        menu.addItem();
        menu.deleteItem();
    };
    if (type == Phone || type == Email || type == URL) {
        menu.onValue(type == Phone ? Key::CallPhone
                : type == Email    ? Key::SendEmail
                                   : Key::OpenURL,
            Command::Workspace);
        menu.editor(type == Phone ? QStringLiteral("Open Phone Panel")
                : type == Email   ? QStringLiteral("Open Email Panel")
                                  : QStringLiteral("Open URL Panel"));
        addThenDelete();
    } else if (type == Relationship) {
        menu.editor(QStringLiteral("Open Relationship Panel"));
        menu.editor(QStringLiteral("Add/Delete Relationship Item"));
        addThenDelete();
    } else if (type == Address) {
        menu.onValue(Key::OpenMap, Command::Workspace);
        menu.onValue(Key::OpenGoogleMap, Command::Workspace);
        menu.editorOnValue(Key::OpenAddressPanel);
        menu.editor(QStringLiteral("Add/Delete Address Item"));
        addThenDelete();
    } else if (type == InstantMessage || type == SocialNetwork) {
        const bool chat = type == InstantMessage;
        menu.editorOnValue(chat ? Key::OpenIMSPanel : Key::OpenSNSPanel);
        menu.editor(chat ? QStringLiteral("Add/Delete IMS Item") : QStringLiteral("Add/Delete SNS Item"));
        addThenDelete();
    } else if (type == Dates) {
        menu.onValue(Key::OpenCalendar, Command::Workspace);
        menu.editor(QStringLiteral("Open Dates Panel"));
        menu.deleteItem();
    } else if (type == Photo) {
        if (present) {
            menu.change(Key::ReplaceImage, Command::AddImage);
            menu.change(Key::DeleteImage, Command::DeleteImage);
        } else {
            menu.change(Key::AddImage, Command::AddImage);
        }
    }
}

} // namespace

QList<Item> itemsFor(const ContactIdentifier &type, bool valuePresent, DetailHost host, bool locked)
{
    Builder menu(valuePresent, locked);
    const bool popover = host == DetailHost::Popover;
    if (host == DetailHost::Merge && type != Birthday) {
        mergeRow(menu, type, valuePresent);
        return menu.items();
    }
    if (type == Phone) {
        linkRow(menu, Key::CallPhone, QStringLiteral("Add/Delete Phone Item"));
    } else if (type == Email) {
        linkRow(menu, Key::SendEmail, QStringLiteral("Add/Delete Email Item"));
    } else if (type == URL) {
        linkRow(menu, Key::OpenURL, popover ? QStringLiteral("Open URL Panel") : QStringLiteral("Add/Delete URL Item"));
    } else if (type == Relationship) {
        menu.editor(QStringLiteral("Open Relationship Panel"));
        if (!popover)
            menu.editor(QStringLiteral("Add/Delete Relationship Item"));
        menu.deleteItem();
        menu.addItem();
    } else if (type == Address) {
        menu.onValue(Key::OpenMap, Command::Workspace);
        menu.onValue(Key::OpenGoogleMap, Command::Workspace);
        menu.editorOnValue(Key::OpenAddressPanel);
        menu.editor(QStringLiteral("Add/Delete Address Item"));
        menu.deleteItem();
        menu.addItem();
    } else if (type == InstantMessage || type == SocialNetwork) {
        const bool chat = type == InstantMessage;
        menu.editorOnValue(chat ? Key::OpenIMSPanel : Key::OpenSNSPanel);
        menu.editor(chat ? QStringLiteral("Add/Delete IMS Item") : QStringLiteral("Add/Delete SNS Item"));
        menu.deleteItem();
        menu.addItem();
    } else if (type == Dates) {
        menu.onValue(Key::OpenCalendar, Command::Workspace);
        if (valuePresent)
            menu.editor(QStringLiteral("Open Dates Panel"));
        else
            menu.editor(popover ? QStringLiteral("Open Dates Panel") : QStringLiteral("Add/Delete Date Item"));
        menu.deleteItem();
    } else if (type == Birthday) {
        menu.onValue(Key::OpenCalendar, Command::Workspace);
        menu.editor(QStringLiteral("Open Birthday Panel"));
        if (valuePresent) {
            menu.addSeparator();
            menu.deleteItem();
        }
    } else if (type == Photo) {
        photoRow(menu, valuePresent);
    }
    return menu.items();
}

DoubleClickDispatch::Action editorFor(const ContactIdentifier &type, const QString &key)
{
    using DoubleClickDispatch::Action;
    if (type == Name || type == PhoneticName)
        return Action::Nothing;
    if (type == Dates || type == Birthday)
        return Action::DateEditor;
    if (type == Address && key == Key::OpenAddressPanel)
        return Action::AddressEditor;
    if (type == InstantMessage && key == Key::OpenIMSPanel)
        return Action::InstantMessageEditor;
    if (type == SocialNetwork && key == Key::OpenSNSPanel)
        return Action::SocialProfileEditor;
    return Action::MultiValueEditor;
}

std::optional<LabeledValueRecord> newItemFor(const ContactIdentifier &type)
{
    auto made = [](const QString &label, const QString &text) {
        LabeledValueRecord value;
        value.label = label;
        value.value = text;
        value.stringValue = text;
        return value;
    };
    if (type == Phone)
        return made(QStringLiteral("home"), QStringLiteral("123"));
    if (type == Email || type == URL)
        return made(QStringLiteral("home"), QStringLiteral("new"));
    if (type == Relationship)
        return made(QStringLiteral("friend"), QStringLiteral("new"));
    return std::nullopt;
}

QString titleOf(const QString &key)
{
    return QCoreApplication::translate("ContactInfoMenu", key.toUtf8().constData());
}

void fill(QMenu &menu, const QList<Item> &items, const std::function<void(const QString &key)> &chosen)
{
    menu.clear();
    for (const Item &item : items) {
        if (item.key.isEmpty()) {
            menu.addSeparator();
            continue;
        }
        QAction *action = menu.addAction(titleOf(item.key));
        action->setData(item.key);
        action->setEnabled(item.enabled);
        if (item.enabled)
            QObject::connect(action, &QAction::triggered, &menu, [chosen, key = item.key] { chosen(key); });
    }
}

} // namespace DetailContextMenu
