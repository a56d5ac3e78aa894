#include "table/ContactTableMenu.h"

#include "model/FieldVocabulary.h"

#include <QCoreApplication>

using namespace FieldId;

namespace ContactTableMenu {

namespace {

// The translations of the keys, under one context.
[[maybe_unused]] const char *const translatedTitles[] = {
    QT_TRANSLATE_NOOP("ContactTableMenu", "Open Name Panel"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Show Contact Info"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Show QRCode"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Delete Contact"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Duplicate Contact"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Call Phone"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Send Email"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Open URL"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Open Map"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Open Google Map"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Open Calendar"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Open Edit Panel"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Open Address Panel"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Add/Delete Address Item"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Open IMS Panel"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Add/Delete IMS Item"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Open SNS Panel"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Add/Delete SNS Item"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Open Dates Panel"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Open Birthday Panel"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Open Phonetic Name Panel"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Add Item"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Delete Item"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Clear Text"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Replace Label and Text"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Replace Text"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Prepend Text"),
    QT_TRANSLATE_NOOP("ContactTableMenu", "Append Text"),
};

class Builder {
public:
    Builder(bool valuePresent, bool editState)
        : m_present(valuePresent)
        , m_editState(editState)
    {
    }

    void panel(const QString &key) { add(key, Command::ShowPopover); }
    // An item that needs the row's value: none without it.
    void onValue(const QString &key, Command command) { add(key, m_present ? command : Command::None); }
    // A change of contacts: none while the table is locked.
    void edit(const QString &key, Command command) { add(key, m_editState ? command : Command::None); }
    void separator() { m_items.append(Item{}); }
    [[nodiscard]] bool present() const { return m_present; }
    [[nodiscard]] QList<Item> items() const { return m_items; }

    void replaceTexts()
    {
        edit(Key::ReplaceText, Command::ReplaceItem);
        edit(Key::PrependText, Command::PrependItem);
        edit(Key::AppendText, Command::AppendItem);
    }

private:
    void add(const QString &key, Command command) { m_items.append(Item{key, command}); }

    bool m_present;
    bool m_editState;
    QList<Item> m_items;
};

// Phone, e-mail and web address: the phone row names the label command
// before "Add Item", the other two after it.
void linkRow(Builder &menu, const QString &action, bool labelCommandFirst)
{
    menu.onValue(action, Command::Workspace);
    if (!menu.present()) {
        menu.panel(Key::OpenEditPanel);
        menu.separator();
        menu.edit(Key::AddItem, Command::InsertItem);
        return;
    }
    menu.separator();
    menu.panel(Key::OpenEditPanel);
    if (labelCommandFirst) {
        menu.edit(Key::ReplaceLabelAndText, Command::ReplaceItem);
        menu.edit(Key::AddItem, Command::InsertItem);
    } else {
        menu.edit(Key::AddItem, Command::InsertItem);
        menu.edit(Key::ReplaceLabelAndText, Command::ReplaceItem);
    }
    menu.edit(Key::DeleteItem, Command::DeleteItem);
    menu.separator();
    menu.replaceTexts();
}

void relationshipRow(Builder &menu)
{
    menu.panel(Key::OpenEditPanel);
    menu.separator();
    menu.edit(Key::AddItem, Command::InsertItem);
    if (!menu.present())
        return;
    menu.edit(Key::ReplaceLabelAndText, Command::ReplaceItem);
    menu.edit(Key::DeleteItem, Command::DeleteItem);
    menu.replaceTexts();
}

// Without an address neither map has anything to show.
void addressRow(Builder &menu)
{
    menu.onValue(Key::OpenMap, Command::Workspace);
    menu.onValue(Key::OpenGoogleMap, Command::Workspace);
    menu.separator();
    menu.onValue(Key::OpenAddressPanel, Command::ShowPopover);
    menu.panel(Key::AddDeleteAddressItem);
    if (menu.present())
        menu.edit(Key::DeleteItem, Command::DeleteItem);
    menu.edit(Key::AddItem, Command::InsertItem);
}

void addressPartRow(Builder &menu)
{
    menu.panel(Key::OpenAddressPanel);
    menu.separator();
    if (menu.present())
        menu.replaceTexts();
    menu.separator();
    if (menu.present())
        menu.edit(Key::DeleteItem, Command::DeleteItem);
    menu.edit(Key::AddItem, Command::InsertItem);
}

// Instant messages and social profiles: their own editor, the list's editor.
void accountRow(Builder &menu, const QString &editor, const QString &listEditor)
{
    menu.onValue(editor, Command::ShowPopover);
    menu.panel(listEditor);
    if (menu.present())
        menu.edit(Key::DeleteItem, Command::DeleteItem);
    menu.edit(Key::AddItem, Command::InsertItem);
}

void dateRow(Builder &menu, const QString &editor)
{
    menu.onValue(Key::OpenCalendar, Command::Workspace);
    menu.separator();
    menu.panel(editor);
    if (menu.present())
        menu.edit(Key::DeleteItem, Command::DeleteItem);
}

void nameRow(Builder &menu)
{
    menu.panel(Key::OpenNamePanel);
    menu.panel(Key::ShowContactInfo);
    menu.onValue(Key::ShowQRCode, Command::ShowQRCode);
    menu.separator();
    menu.edit(Key::DeleteContact, Command::DeleteContact);
    menu.edit(Key::DuplicateContact, Command::DuplicateContact);
}

} // namespace

QList<Item> itemsFor(const ContactIdentifier &identifier, bool valuePresent, bool editState)
{
    // The name column offers its items whether or not the row has a name.
    Builder menu(identifier == Name || valuePresent, editState);
    if (identifier == Name) {
        nameRow(menu);
    } else if (identifier == Phone) {
        linkRow(menu, Key::CallPhone, true);
    } else if (identifier == Email || identifier == URL) {
        linkRow(menu, identifier == Email ? Key::SendEmail : Key::OpenURL, false);
    } else if (identifier == Relationship) {
        relationshipRow(menu);
    } else if (identifier == Address) {
        addressRow(menu);
    } else if (FieldVocabulary::shared().addressIdentifiers().contains(identifier)) {
        addressPartRow(menu);
    } else if (identifier == InstantMessage) {
        accountRow(menu, Key::OpenIMSPanel, Key::AddDeleteIMSItem);
    } else if (identifier == SocialNetwork) {
        accountRow(menu, Key::OpenSNSPanel, Key::AddDeleteSNSItem);
    } else if (identifier == Dates) {
        dateRow(menu, Key::OpenDatesPanel);
    } else if (identifier == Birthday) {
        dateRow(menu, Key::OpenBirthdayPanel);
    } else if (identifier == PhoneticName) {
        menu.panel(Key::OpenPhoneticNamePanel);
        if (valuePresent) {
            menu.separator();
            menu.edit(Key::DeleteItem, Command::DeleteItem);
        }
    } else if (FieldVocabulary::shared().stringIdentifiers().contains(identifier)) {
        if (valuePresent) {
            menu.edit(Key::ClearText, Command::DeleteItem);
            menu.replaceTexts();
        } else {
            menu.edit(Key::ReplaceText, Command::ReplaceItem);
        }
    }
    return menu.items();
}

QString titleOf(const QString &key)
{
    return QCoreApplication::translate("ContactTableMenu", key.toUtf8().constData());
}

} // namespace ContactTableMenu
