#pragma once

#include "interchange/QRFieldRow.h"
#include "model/ContactRecord.h"

#include <QDialog>
#include <QImage>
#include <QList>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

// A panel that shows one contact as a QR code: the user picks the payload
// format, ticks the values that go in, reads the payload text and copies the
// code as a picture. It only reads the contact.
class QRCodePanelController : public QDialog {
    Q_OBJECT

public:
    enum Column { TypeColumn, ValueColumn };

    explicit QRCodePanelController(QWidget *parent = nullptr);
    ~QRCodePanelController() override;

    // Shows a contact: the first phone, mail and postal address ticked, the
    // code made in the format the pop-up shows.
    void setContact(const ContactRecordPtr &contact);
    [[nodiscard]] const ContactRecordPtr &contact() const { return m_contact; }
    [[nodiscard]] const QList<QRFieldRow> &table() const { return m_table; }
    // The code shown; null when the payload makes none.
    [[nodiscard]] const QImage &image() const { return m_image; }

    // Makes payload, text and code again for the chosen format.
    void formatPopupSelected();
    // Puts the code on the clipboard as a PNG; nothing without a code.
    void copy();
    // Ticks or clears a value and makes the code again.
    void setRowSelected(int row, bool selected);

    // --- Outlets ------------------------------------------------------------
    [[nodiscard]] QPlainTextEdit *textView() const { return m_textView; }
    [[nodiscard]] QTableWidget *tableView() const { return m_tableView; }
    [[nodiscard]] QComboBox *formatPopup() const { return m_formatPopup; }
    [[nodiscard]] QPushButton *fooButton() const { return m_fooButton; }
    [[nodiscard]] QPushButton *closeButton() const { return m_closeButton; }

private:
    void buildLayout();
    void reloadTable();
    void fillRow(int row);
    void tableItemChanged(QTableWidgetItem *item);
    void closePanel();
    // Ctrl+C: the payload text when part of it is selected, else the code.
    void copyCommand();

    ContactRecordPtr m_contact;
    QList<QRFieldRow> m_table;
    QImage m_image;
    double m_rowHeight = 20.0;
    bool m_reloading = false;

    QLabel *m_imageView = nullptr;
    QPlainTextEdit *m_textView = nullptr;
    QTableWidget *m_tableView = nullptr;
    QComboBox *m_formatPopup = nullptr;
    QPushButton *m_fooButton = nullptr;
    QPushButton *m_closeButton = nullptr;
};
