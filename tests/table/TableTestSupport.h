#pragma once

#include "model/ContactRecord.h"
#include "model/GroupRecord.h"
#include "platform/contacts/StoreContact.h"
#include "table/ContactsViewControllerDelegate.h"

#include <gtest/gtest.h>

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// Contacts, tables and a recording delegate for the contact table's tests.
namespace TableTest {

using LabeledTexts = QList<QPair<QString, QString>>; // store label, text

[[nodiscard]] StoreContact person(const QString &given, const QString &family = {});
[[nodiscard]] StoreContact company(const QString &name);
void setPhones(StoreContact &contact, const LabeledTexts &phones);
void setEmails(StoreContact &contact, const LabeledTexts &emails);
// Addresses whose street is the text.
void setStreets(StoreContact &contact, const LabeledTexts &streets);

[[nodiscard]] ContactRecordPtr record(const StoreContact &contact);
[[nodiscard]] ContactTablePtr table(const QList<StoreContact> &contacts);
// Contacts made by the shared generator, numbered from 0.
[[nodiscard]] ContactTablePtr generatedTable(int count);

// "<given name>:<position>" of each row, in row order.
[[nodiscard]] QStringList rowNames(const QList<SubContactRecordPtr> &rows);

class RecordingDelegate : public ContactsViewControllerDelegate {
public:
    void rowSelectionDidChange(const SubContactRecordPtr &row) override { selectedRows.append(row); }
    bool addContactByVCardString(const QString &vCardString) override
    {
        vCards.append(vCardString);
        return takesVCards;
    }
    bool addDroppedContacts(const QList<ContactRecordPtr> &contacts) override
    {
        droppedContacts.append(contacts);
        return true;
    }
    void changeSenderInHagakiView(const SubContactRecordPtr &row) override { senders.append(row); }
    [[nodiscard]] SubContactRecordPtr senderInHagakiView() const override
    {
        return senders.isEmpty() ? nullptr : senders.last();
    }
    void sortDescriptorsDidChange(const QList<SortDescriptor> &descriptors) override
    {
        sortChanges.append(descriptors);
    }
    [[nodiscard]] const GroupRecordPtr &selectedGroupDict() const override { return group; }
    [[nodiscard]] UndoManager *undoManager() const override { return nullptr; }
    [[nodiscard]] ValueEditorDelegate *valueEditorDelegate() override { return nullptr; }
    [[nodiscard]] AlertPresenter *alertPresenter() const override { return nullptr; }
    void updateTableLater() override { }
    void undoDeleteLabeledValue(const LabeledValueRecord &, const ContactIdentifier &, const PersonRecordPtr &) override
    {
    }
    void showReplaceAlertPanel(const ReplaceAlertRequest &, const ReplaceAlertCompletion &) override { }
    [[nodiscard]] bool canUnlock() const override { return true; }
    [[nodiscard]] QStringList groupNamesOfContact(const PersonRecordPtr &) const override { return {}; }
    [[nodiscard]] ContactView makeContactInfoPopover() override { return {}; }
    [[nodiscard]] DetachedContactWindow makeDetachedContactWindow(const PersonRecordPtr &) override { return {}; }
    void undoAddContacts(const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &) override
    {
        addedContacts.append(contacts);
    }
    void undoDeleteContacts(const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &, bool) override
    {
        deletedContacts.append(contacts);
    }
    void showQRCode() override { ++qrCodeRequests; }

    QList<SubContactRecordPtr> selectedRows;
    QStringList vCards;
    bool takesVCards = true; // what a vCard text dropped is answered
    QList<QList<ContactRecordPtr>> droppedContacts;
    QList<SubContactRecordPtr> senders;
    QList<QList<SortDescriptor>> sortChanges;
    QList<QList<ContactRecordPtr>> addedContacts;
    QList<QList<ContactRecordPtr>> deletedContacts;
    int qrCodeRequests = 0;
    GroupRecordPtr group = std::make_shared<GroupRecord>();
};

// Every test starts from the built-in labels only.
class TableTestCase : public testing::Test {
protected:
    void SetUp() override;
};

} // namespace TableTest
