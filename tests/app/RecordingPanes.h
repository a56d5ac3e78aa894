#pragma once

#include "detail/ContactDetailPane.h"
#include "table/ContactInfoPopoverPane.h"
#include "table/ContactTablePane.h"
#include "find/FindBarPane.h"
#include "table/GroupOutlinePane.h"
#include "print/PostcardLayoutView.h"
#include "print/PostcardPreviewPane.h"

#include <QFont>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

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

// Notes each call of a recording pane under the pane's name; keep() also
// remembers what the call handed over.
class RecordedPane {
public:
    RecordedPane(PaneLog &log, const QString &name)
        : m_log(log)
        , m_name(name)
    {
    }

protected:
    void note(const QString &call) const { m_log.note(m_name, call); }
    void note(const char *call, bool flag) const { note(QStringLiteral("%1:%2").arg(QLatin1String(call)).arg(flag)); }
    template <typename T> void keep(T &field, const T &value, const char *call) const
    {
        field = value;
        note(QLatin1String(call));
    }

private:
    PaneLog &m_log;
    QString m_name;
};

// The labels and the font that the table and the detail pane both take.
template <typename Pane> class RecordingTextPane : public QObject, public Pane, protected RecordedPane {
public:
    RecordingTextPane(PaneLog &log, const QString &name)
        : RecordedPane(log, name)
    {
    }

    void setSelectedLabels(const QStringList &labels) override { keep(selectedLabels, labels, "setSelectedLabels"); }
    void setSelectedFont(const QFont &font) override { keep(selectedFont, font, "setSelectedFont"); }
    void updateTable() override { note(QStringLiteral("updateTable")); }
    void setEditState(bool editState) override { note("setEditState", editState); }

    QStringList selectedLabels;
    QFont selectedFont;
};

class RecordingContactTable : public RecordingTextPane<ContactTablePane> {
public:
    explicit RecordingContactTable(PaneLog &log)
        : RecordingTextPane(log, QStringLiteral("table"))
    {
    }

    void setContactTable(const ContactTablePtr &table) override { keep(contactTable, table, "setContactTable"); }
    void setSortDescriptors(const QList<SortDescriptor> &sort) override
    {
        keep(sortDescriptorList, sort, "setSortDescriptors");
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
        keep(selectedContactsList, contacts, "selectRowIndexesWithContacts");
    }
    [[nodiscard]] QList<ContactRecordPtr> selectedContacts() const override { return selectedContactsList; }
    [[nodiscard]] QList<SubContactRecordPtr> selectedSubContacts() const override { return selectedSubContactsList; }
    [[nodiscard]] QList<int> selectedRowIndexes() const override { return selectedRows; }
    void selectRowIndexes(const QList<int> &indexes) override { keep(selectedRows, indexes, "selectRowIndexes"); }
    void scrollRowToVisible(int row) override { keep(scrolledTo, row, "scrollRowToVisible"); }
    [[nodiscard]] QList<ContactInfoPopoverPane *> detachedWindows() const override { return detached; }
    void detachedWindowDidClose(const QString &uniqueId) override { note(u"detachedWindowDidClose:" + uniqueId); }
    bool commitEditing() override { return false; }
    void discardEditing() override { }
    void setFindString(const QString &text) override { keep(findString, text, "setFindString"); }
    void setFindOptions(const QString &options) override { keep(findOptions, options, "setFindOptions"); }
    void selectItemAndRange(const ItemAndRangeRecordPtr &hit) override
    {
        keep(selectedHit, hit, hit ? "selectItemAndRange" : "selectItemAndRange:nil");
    }
    [[nodiscard]] QStringList columnIdentifiers() const override { return columns; }
    [[nodiscard]] QStringList labelFilter() const override { return labels; }

    // Selects rows of the shown table, as the user would by clicking.
    void select(const QList<int> &indexes)
    {
        selectedRows = indexes;
        selectedContactsList.clear();
        for (int row : indexes) {
            if (!selectedContactsList.contains(contactTable->at(row)))
                selectedContactsList.append(contactTable->at(row));
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
    QString findString;
    QString findOptions;
    ItemAndRangeRecordPtr selectedHit;
    QStringList columns;
    // The labels the Label pop-up lets through.
    QStringList labels{QStringLiteral("All")};
};

class RecordingGroupOutline : public QObject, public GroupOutlinePane, private RecordedPane {
public:
    explicit RecordingGroupOutline(PaneLog &log)
        : RecordedPane(log, QStringLiteral("outline"))
    {
    }

    void setContainerTable(const ContainerTablePtr &table) override
    {
        keep(containerTable, table, "setContainerTable");
    }
    void setSelectedGroupDict(const GroupRecordPtr &group) override
    {
        keep(selectedGroupDict, group, "setSelectedGroupDict");
    }
    void updateTable() override { note(QStringLiteral("updateTable")); }
    void setEditState(bool editState) override { note("setEditState", editState); }
    void setSelectedFont(const QFont &) override { note(QStringLiteral("setSelectedFont")); }

    ContainerTablePtr containerTable;
    GroupRecordPtr selectedGroupDict;
};

class RecordingContactDetail : public RecordingTextPane<ContactDetailPane> {
public:
    explicit RecordingContactDetail(PaneLog &log)
        : RecordingTextPane(log, QStringLiteral("detail"))
    {
    }

    // A null contact leaves the one shown, as the pane keeps its last contact.
    void setContact(const PersonRecordPtr &row) override { keep(shown, row ? row : shown, "setContact"); }
    [[nodiscard]] PersonRecordPtr contact() const override { return shown; }
    void setDelegate(ContactInfoControllerDelegate *) override { }
    [[nodiscard]] QTableView *tableView() override { return nullptr; }
    void setFindString(const QString &text) override { keep(findString, text, "setFindString"); }
    void setFindOptions(const QString &options) override { keep(findOptions, options, "setFindOptions"); }
    void selectItemAndRange(const ItemAndRangeRecordPtr &hit) override
    {
        keep(selectedHit, hit, hit ? "selectItemAndRange" : "selectItemAndRange:nil");
    }

    PersonRecordPtr shown;
    QString findString;
    QString findOptions;
    ItemAndRangeRecordPtr selectedHit;
};

class RecordingContactInfoPopover : public QObject, public ContactInfoPopoverPane, private RecordedPane {
public:
    RecordingContactInfoPopover(PaneLog &log, const QString &name, const SubContactRecordPtr &row)
        : RecordedPane(log, name)
        , m_row(row)
    {
    }

    void setContact(const PersonRecordPtr &) override { }
    [[nodiscard]] PersonRecordPtr contact() const override { return m_row; }
    void updateTable() override { note(QStringLiteral("updateTable")); }
    void setEditState(bool editState) override { note("setEditState", editState); }
    void setSelectedLabels(const QStringList &) override { }
    void setSelectedFont(const QFont &) override { }
    void editForIdentifier(const ContactIdentifier &) override { }
    void setParentPopover(Popover *) override { }
    void setParentWindow(QWidget *) override { }
    void setMyUndoManager(UndoManager *) override { }
    void setDelegate(ContactInfoPopoverDelegate *) override { }
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

    [[nodiscard]] PrintContactRecordPtr shownReceiver() const override { return receivers.value(0); }
    [[nodiscard]] PrintContactRecordPtr senderPerson() const override { return sender; }
    void setPrintInfo(const PrintInfoPtr &info) override { keep(printInfo, info, "setPrintInfo"); }

    PrintContactList receivers;
    PrintContactRecordPtr sender;
    PrintInfoPtr printInfo;
};

class RecordingPostcardPreview : public QObject, public PostcardPreviewPane, private RecordedPane {
public:
    explicit RecordingPostcardPreview(PaneLog &log)
        : RecordedPane(log, QStringLiteral("preview"))
        , layoutView(log)
    {
    }

    void setReceiverPersons(const QList<SubContactRecordPtr> &rows) override
    {
        keep(receiverPersons, rows, "setReceiverPersons");
    }
    void setShownReceiver(const SubContactRecordPtr &row) override { keep(shownReceiver, row, "setShownReceiver"); }
    [[nodiscard]] SubContactRecordPtr senderPerson() const override { return sender; }
    void setSenderPerson(const SubContactRecordPtr &row) override { keep(sender, row, "setSenderPerson"); }
    void setSelectedStyle(const QString &style) override { note(QStringLiteral("setSelectedStyle:") + style); }
    void updateUI() override { note(QStringLiteral("updateUI")); }
    [[nodiscard]] PostcardLayoutView *hagakiView() const override { return &layoutView; }

    QList<SubContactRecordPtr> receiverPersons;
    SubContactRecordPtr shownReceiver;
    SubContactRecordPtr sender;
    mutable RecordingPostcardLayoutView layoutView;
};

class RecordingFindBar : public QObject, public FindBarPane, private RecordedPane {
public:
    explicit RecordingFindBar(PaneLog &log)
        : RecordedPane(log, QStringLiteral("findBar"))
    {
    }

    void setDelegate(FindBarDelegate *delegate) override { m_delegate = delegate; }
    // The bar moves at once; the handler runs when asked for.
    void setVisible(bool visible) override { keep(m_visible, visible, "setVisible"); }
    void setVisible(bool visible, const std::function<void()> &completionHandler) override
    {
        keep(m_visible, visible, "setVisible");
        if (completionHandler)
            completionHandler();
    }
    [[nodiscard]] bool isVisible() const override { return m_visible; }
    void setEditState(bool editState) override { note("setEditState", editState); }
    [[nodiscard]] bool isCaseInsensitive() const override { return caseInsensitive; }
    [[nodiscard]] QString replaceString() const override { return replacement; }
    void setSearchString(const QString &text) override { keep(searchString, text, "setSearchString"); }

    bool caseInsensitive = true;
    QString replacement;
    QString searchString;

private:
    FindBarDelegate *m_delegate = nullptr;
    bool m_visible = false;
};
