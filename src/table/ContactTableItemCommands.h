#pragma once

#include "model/ContactIdentifier.h"
#include "model/ContactRecord.h"
#include "model/LabeledValueRecord.h"
#include "model/SubContactRecord.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

class ContactTableModel;
class ContactsViewController;
class MVPerson;

// The column commands of the table's context menu on the clicked and
// selected rows, each one undo step: "Add Item"; "Replace Label and Text"
// and "Replace Text"; "Delete Item" and "Clear Text"; "Prepend Text";
// "Append Text". The table owns it and outlives it.
class ContactTableItemCommands : public QObject {
    Q_OBJECT

public:
    explicit ContactTableItemCommands(ContactsViewController &table);

    enum class TextCommand { Replace, ReplaceWithLabel, Prepend, Append };
    void insertItem();
    void replaceItem(const QString &key);
    void deleteItem(const QString &key);
    void prependItem();
    void appendItem();

private:
    void askTextThen(TextCommand command);
    void applyText(TextCommand command, const ContactIdentifier &identifier, const QList<SubContactRecordPtr> &rows,
        const QString &text, const QString &label);
    void applyDeleteItem(const ContactIdentifier &identifier, const QList<SubContactRecordPtr> &rows);
    void addValueToContacts(const ContactIdentifier &identifier, const QList<SubContactRecordPtr> &rows);
    // The contacts the table shows: an Undo while a sheet was open may have
    // taken a target row's contact away.
    [[nodiscard]] QSet<const MVPerson *> shownPersons() const;
    // The value of the field the row's cell shows: null when there is none
    // or the label filter hides it, so that no command reaches a hidden one.
    [[nodiscard]] LabeledValueRecordPtr shownValueOf(const SubContactRecord &row, const ContactIdentifier &field) const;
    void itemCommandDidChange(const QList<SubContactRecordPtr> &rows);

    ContactsViewController &m_table;
    ContactTableModel *m_model = nullptr;
};
