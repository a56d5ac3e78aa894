#pragma once

#include "app/FilePanel.h"
#include "model/ContactRecord.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class ImportPanelController;
class QAction;
class QMenu;
class WindowCommandHost;

// The File menu's contact files of a contact window: Open, the imports from
// vCard and CSV through the chooser, the exports as vCard and CSV, and a
// document's Save As. The reading and writing run behind the window's
// progress window (ContactFileCommands); one command runs at a time.
class FileMenuCommands : public QObject {
    Q_OBJECT

public:
    // Its items go to the top of the menu; Open calls `openDocument`.
    FileMenuCommands(WindowCommandHost &host, QMenu &fileMenu, std::function<void()> openDocument);

    // The items' object names, by which the window's menu rules know them.
    static constexpr QLatin1StringView openKey{"openDocument"};
    static constexpr QLatin1StringView importVCardKey{"importFromVCard"};
    static constexpr QLatin1StringView importCSVKey{"importFromCSV"};
    static constexpr QLatin1StringView exportVCardKey{"exportToVCard"};
    static constexpr QLatin1StringView exportCSVKey{"exportToCSV"};
    static constexpr QLatin1StringView saveAsKey{"saveDocumentAs"};

    // File ▸ "Import from vCard…" / "Import from CSV…": the chosen file read
    // behind the progress window, the chooser, and the chosen contacts added
    // to the group shown, as one undo step.
    void importFromVCard();
    void importFromCSV();
    // File ▸ "Export as vCard…": the selected contacts, or with `wholeTable`
    // every contact of the window (a document's Save As); nothing without a
    // selection, whose first contact names the file proposed.
    void exportToVCard(bool wholeTable = false);
    void exportToCSV();
    // File ▸ "Save As…" of a document window: its contacts as vCard.
    void saveDocumentAs();

    // The type of the document the window shows ("vCard" or "CSV"); empty in
    // the address-book window.
    void setDocumentType(const QString &type) { m_documentType = type; }
    [[nodiscard]] const QString &documentType() const { return m_documentType; }
    // An import or export is between its panels; another one waits for it.
    [[nodiscard]] bool fileCommandRunning() const { return m_fileCommandRunning; }
    [[nodiscard]] ImportPanelController *importPanelController() const;
    // Shows the open and save panels; a window-modal file dialog unless set.
    void setFilePanel(FilePanel::Show panel) { m_filePanel = std::move(panel); }
    [[nodiscard]] QAction *fileAction(const QString &objectName) const;
    [[nodiscard]] const QList<QAction *> &fileActions() const { return m_fileActions; }

private:
    void buildItems(QMenu &fileMenu, const std::function<void()> &openDocument);
    void importFrom(const QString &title, const QString &nameFilter, bool csv);
    void importFile(const FilePanel::Answer &answer, bool csv);
    void offerImportedContacts(const QString &fileName, const ContactTablePtr &contacts);
    // The contacts the chooser's rows picked, when it ended with Select.
    [[nodiscard]] QList<ContactRecordPtr> chosenContacts(int code) const;
    void addChosenContacts(const QList<ContactRecordPtr> &chosen);
    void writeContactsAsVCard(const QString &path, const ContactTablePtr &contacts);
    void exportSelection(const QString &nameFieldLabel, const QStringList &nameFilters, const QString &suffix,
        const std::function<void(const QString &path, const QList<ContactRecordPtr> &selected)> &write);
    void showFileAlert(const QString &message, const QString &informative);

    WindowCommandHost &m_host;
    QString m_documentType;
    bool m_fileCommandRunning = false;
    QPointer<ImportPanelController> m_importPanelController;
    FilePanel::Show m_filePanel;
    QList<QAction *> m_fileActions;
};
