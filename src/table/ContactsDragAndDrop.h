#pragma once

#include "model/ContactRecord.h"
#include "table/DroppedFileReader.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

class ContactsViewController;
class DraggingMimeData;
class QMimeData;

// Rows of the contact table leaving it and contacts coming in: the two copy
// commands, the data of a drag of rows (text for editors, vCard for other
// windows and programs, a vCard file for file managers, the row positions
// for the group outline) and the drop of vCard data or files onto the
// table as new contacts.
//
// A drag never removes rows, whatever the receiver chose.
class ContactsDragAndDrop : public QObject {
    Q_OBJECT

public:
    enum class DropOperation { On, Above };

    static inline const QString draggingFileName = QStringLiteral("draggingContacts.vcf");

    explicit ContactsDragAndDrop(ContactsViewController *controller);

    // Edit ▸ "Copy" (tab-separated) and "Copy as CSV": the selected rows'
    // values of the shown columns, one line per row at the row's own label
    // position. False, and the clipboard left alone, without a selected row.
    bool copy();
    bool copyAsCSV();
    [[nodiscard]] QString copiedText(const QString &separator) const;

    // The fields a dragged contact's line of text holds, in order.
    [[nodiscard]] static const QStringList &draggedIdentifiers();
    // The contacts of the rows (the footer is none), each once, in row order.
    [[nodiscard]] QList<ContactRecordPtr> draggedContacts(const QList<int> &rows) const;
    // The data of a drag of the rows, the table view named as its source.
    [[nodiscard]] DraggingMimeData *mimeDataForRows(const QList<int> &rows) const;
    // "3,5" for rows 3 and 5, in ascending order.
    [[nodiscard]] static QString stringIndexes(QList<int> rows);
    // Each contact's line of the dragged text, the last line end removed.
    [[nodiscard]] static QString draggedText(const QList<ContactRecordPtr> &contacts);
    [[nodiscard]] static QByteArray draggedVCards(const QList<ContactRecordPtr> &contacts);

    // Whether data dropped at the row (the footer's position or beyond: none)
    // is taken; a drop onto a row never is.
    [[nodiscard]] bool validateDrop(const QMimeData *data, int row, DropOperation operation) const;
    // Hands the dropped vCard data, or the contacts of the dropped vCard
    // files, to the delegate; false when nothing was handed over, or the
    // delegate added none of the files' contacts.
    bool acceptDrop(const QMimeData *data, int row, DropOperation operation);
    // Where dropped files are read and their contacts handed over: behind
    // the window's progress window, with Cancel. Without one they are read
    // and handed over on the spot.
    void setFileReadingRunner(DroppedFileReader::Runner runner) { m_fileReadingRunner = std::move(runner); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool copyRows(const QString &separator, const QString &mimeType);
    [[nodiscard]] bool isFromThisTable(const QMimeData *data) const;
    // A press on a check box or a label pop-up of a cell works that control.
    [[nodiscard]] bool isOnCellControl(const QPoint &position) const;
    // The local files of the data that hold vCard text.
    [[nodiscard]] static QStringList droppedVCardFiles(const QMimeData *data);
    [[nodiscard]] bool holdsVCardFiles(const QMimeData *data) const;
    bool acceptFiles(const QMimeData *data);
    // Reads the files into the result and hands its contacts over; true when
    // the delegate added them.
    bool readAndHandOver(const QStringList &paths, const std::shared_ptr<DroppedFileReader::Result> &read);
    // One alert per file that gave no contact, with its informative text.
    void alertUnreadableFilesLater(const QStringList &informativeTexts);

    ContactsViewController *m_controller = nullptr;
    DroppedFileReader::Runner m_fileReadingRunner;
    // The drag whose files validateDrop last looked into.
    struct CheckedDrag {
        const QMimeData *data = nullptr;
        QList<QUrl> urls;
        bool holdsVCardFiles = false;
    };
    mutable CheckedDrag m_checkedDrag;
};
