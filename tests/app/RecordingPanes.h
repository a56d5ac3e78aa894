#pragma once

#include "detail/ContactDetailPane.h"
#include "detail/ContactInfoPopoverPane.h"
#include "table/ContactTablePane.h"
#include "app/FindBarPane.h"
#include "app/GroupOutlinePane.h"
#include "app/PostcardLayoutView.h"
#include "app/PostcardPreviewPane.h"

#include <QFont>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <algorithm>

// Panes that only note what the window's controller asks of them, into one
// log shared by every pane of a test, as "<pane>.<call>".
class PaneLog {
public:
    void note(const QString &pane, const QString &call) { m_calls.append(pane + QLatin1Char('.') + call); }
    void clear() { m_calls.clear(); }
    [[nodiscard]] const QStringList &calls() const { return m_calls; }
    [[nodiscard]] qsizetype count(const QString &call) const { return m_calls.count(call); }

private:
    QStringList m_calls;
};

// Notes each call of a recording pane under the pane's name.
class RecordedPane {
public:
    RecordedPane(PaneLog &log, const QString &name)
        : m_log(log)
        , m_name(name)
    {
    }

protected:
    void note(const QString &call) const { m_log.note(m_name, call); }

private:
    PaneLog &m_log;
    QString m_name;
};

// The labels and the font that the table and the detail pane both take.
template <typename Pane> class RecordingTextPane : public Pane, protected RecordedPane {
public:
    RecordingTextPane(PaneLog &log, const QString &name)
        : RecordedPane(log, name)
    {
    }

    void setSelectedLabels(const QStringList &labels) override
    {
        selectedLabels = labels;
        note(QStringLiteral("setSelectedLabels"));
    }
    void setSelectedFont(const QFont &font) override
    {
        selectedFont = font;
        note(QStringLiteral("setSelectedFont"));
    }

    QStringList selectedLabels;
    QFont selectedFont;
};

class RecordingContactTable : public RecordingTextPane<ContactTablePane> {
public:
    explicit RecordingContactTable(PaneLog &log)
        : RecordingTextPane(log, QStringLiteral("table"))
    {
    }

    void setContactTable(const ContactTablePtr &table) override
    {
        contactTable = table;
        note(QStringLiteral("setContactTable"));
    }
    void updateTable() override { note(QStringLiteral("updateTable")); }
    void setEditState(bool editState) override { note(QStringLiteral("setEditState:%1").arg(editState)); }
    void setSortDescriptors(const QList<SortDescriptor> &descriptors) override
    {
        sortDescriptorList = descriptors;
        note(QStringLiteral("setSortDescriptors"));
    }
    [[nodiscard]] const QList<SortDescriptor> &sortDescriptors() const override { return sortDescriptorList; }
    void setSelectedViewType(const QString &viewType) override
    {
        note(QStringLiteral("setSelectedViewType:") + viewType);
    }
    void sortOptionsChanged(const QString &key, const QString &column) override
    {
        note(QStringLiteral("sortOptionsChanged:%1:%2").arg(column, key));
    }
    void saveColumnWithDictionary() override { note(QStringLiteral("saveColumnWithDictionary")); }
    void makeFirstResponder() override { note(QStringLiteral("makeFirstResponder")); }
    [[nodiscard]] const QList<SubContactRecordPtr> &subContactTable() const override { return rows; }
    void selectRowIndexesWithContacts(const QList<ContactRecordPtr> &contacts) override
    {
        selectedContactsList = contacts;
        note(QStringLiteral("selectRowIndexesWithContacts"));
    }
    [[nodiscard]] QList<ContactRecordPtr> selectedContacts() const override { return selectedContactsList; }
    [[nodiscard]] QList<SubContactRecordPtr> selectedSubContacts() const override { return selectedSubContactsList; }
    [[nodiscard]] QList<int> selectedRowIndexes() const override { return selectedRows; }
    void selectRowIndexes(const QList<int> &rows) override
    {
        selectedRows = rows;
        note(QStringLiteral("selectRowIndexes"));
    }
    void scrollRowToVisible(int row) override
    {
        scrolledTo = row;
        note(QStringLiteral("scrollRowToVisible"));
    }
    [[nodiscard]] QList<ContactInfoPopoverPane *> detachedWindows() const override { return detached; }

    // Selects rows of the shown table, as the user would by clicking.
    void select(const QList<int> &rows)
    {
        selectedRows = rows;
        selectedContactsList.clear();
        for (int row : rows) {
            const ContactRecordPtr &contact = contactTable->at(row);
            if (!selectedContactsList.contains(contact))
                selectedContactsList.append(contact);
        }
    }

    ContactTablePtr contactTable;
    QList<SortDescriptor> sortDescriptorList;
    QList<SubContactRecordPtr> rows;
    QList<ContactRecordPtr> selectedContactsList;
    QList<SubContactRecordPtr> selectedSubContactsList;
    QList<int> selectedRows;
    int scrolledTo = -1;
    QList<ContactInfoPopoverPane *> detached;
};

class RecordingGroupOutline : public GroupOutlinePane, private RecordedPane {
public:
    explicit RecordingGroupOutline(PaneLog &log)
        : RecordedPane(log, QStringLiteral("outline"))
    {
    }

    void setContainerTable(const ContainerTablePtr &table) override
    {
        containerTable = table;
        note(QStringLiteral("setContainerTable"));
    }
    void setSelectedGroupDict(const GroupRecordPtr &group) override
    {
        selectedGroupDict = group;
        note(QStringLiteral("setSelectedGroupDict"));
    }
    void updateTable() override { note(QStringLiteral("updateTable")); }
    void setEditState(bool editState) override { note(QStringLiteral("setEditState:%1").arg(editState)); }

    ContainerTablePtr containerTable;
    GroupRecordPtr selectedGroupDict;
};

class RecordingContactDetail : public RecordingTextPane<ContactDetailPane> {
public:
    explicit RecordingContactDetail(PaneLog &log)
        : RecordingTextPane(log, QStringLiteral("detail"))
    {
    }

    void setContact(const PersonRecordPtr &row) override
    {
        if (row)
            shown = row;
        note(QStringLiteral("setContact"));
    }
    [[nodiscard]] PersonRecordPtr contact() const override { return shown; }
    void updateTable() override { note(QStringLiteral("updateTable")); }
    void setEditState(bool editState) override { note(QStringLiteral("setEditState:%1").arg(editState)); }
    void setDelegate(ContactInfoControllerDelegate * /*delegate*/) override { }
    [[nodiscard]] QTableView *tableView() override { return nullptr; }

    PersonRecordPtr shown;
};

class RecordingContactInfoPopover : public ContactInfoPopoverPane, private RecordedPane {
public:
    RecordingContactInfoPopover(PaneLog &log, const QString &name, const SubContactRecordPtr &row)
        : RecordedPane(log, name)
        , m_row(row)
    {
    }

    void setContact(const PersonRecordPtr & /*row*/) override { }
    [[nodiscard]] PersonRecordPtr contact() const override { return m_row; }
    void updateTable() override { note(QStringLiteral("updateTable")); }
    void setEditState(bool editState) override { note(QStringLiteral("setEditState:%1").arg(editState)); }
    void setSelectedLabels(const QStringList & /*labels*/) override { }
    void setSelectedFont(const QFont & /*font*/) override { }
    void editForIdentifier(const ContactIdentifier & /*type*/) override { }
    void setParentPopover(Popover * /*popover*/) override { }
    void setParentWindow(QWidget * /*window*/) override { }
    void setMyUndoManager(UndoManager * /*undoManager*/) override { }
    void setDelegate(ContactInfoPopoverDelegate * /*delegate*/) override { }
    void closePopover() override { note(QStringLiteral("closePopover")); }

private:
    SubContactRecordPtr m_row;
};

// The preview's postcard view: rows and paper as the test sets them; it posts
// its layout notifications when the test says so.
class RecordingPostcardLayoutView : public QObject, public PostcardLayoutView, private RecordedPane {
public:
    explicit RecordingPostcardLayoutView(PaneLog &log)
        : RecordedPane(log, QStringLiteral("layoutView"))
    {
    }

    [[nodiscard]] QList<SubContactRecordPtr> receiverPersons() const override { return receivers; }
    [[nodiscard]] SubContactRecordPtr senderPerson() const override { return sender; }
    void setPrintInfo(const PrintInfoPtr &info) override
    {
        printInfo = info;
        note(QStringLiteral("setPrintInfo"));
    }

    QList<SubContactRecordPtr> receivers;
    SubContactRecordPtr sender;
    PrintInfoPtr printInfo;
};

class RecordingPostcardPreview : public PostcardPreviewPane, private RecordedPane {
public:
    explicit RecordingPostcardPreview(PaneLog &log)
        : RecordedPane(log, QStringLiteral("preview"))
        , layoutView(log)
    {
    }

    void setReceiverPersons(const QList<SubContactRecordPtr> &receivers) override
    {
        receiverPersons = receivers;
        note(QStringLiteral("setReceiverPersons"));
    }
    [[nodiscard]] SubContactRecordPtr senderPerson() const override { return sender; }
    void setSenderPerson(const SubContactRecordPtr &row) override
    {
        sender = row;
        note(QStringLiteral("setSenderPerson"));
    }
    void setPrinting(bool printing) override { note(QStringLiteral("setPrinting:%1").arg(printing)); }
    void setSelectedStyle(const QString &style) override { note(QStringLiteral("setSelectedStyle:") + style); }
    void updateUI() override { note(QStringLiteral("updateUI")); }
    [[nodiscard]] PostcardLayoutView *hagakiView() const override { return &layoutView; }

    QList<SubContactRecordPtr> receiverPersons;
    SubContactRecordPtr sender;
    mutable RecordingPostcardLayoutView layoutView;
};

class RecordingFindBar : public FindBarPane, private RecordedPane {
public:
    explicit RecordingFindBar(PaneLog &log)
        : RecordedPane(log, QStringLiteral("findBar"))
    {
    }

    void setVisible(bool visible) override
    {
        m_visible = visible;
        note(QStringLiteral("setVisible:%1").arg(visible));
    }
    [[nodiscard]] bool isVisible() const override { return m_visible; }
    void setEditState(bool editState) override { note(QStringLiteral("setEditState:%1").arg(editState)); }

private:
    bool m_visible = false;
};
