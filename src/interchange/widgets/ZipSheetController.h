#pragma once

#include "interchange/ZipSearch.h"

#include <QDialog>
#include <QVariantMap>

#include <optional>

class QLineEdit;
class QPushButton;
class QTableView;
class ZipResultModel;

// The postal-code sheet: the user types a postal code or an address, the
// hits are listed as they type, and Paste ends the sheet with the chosen hit
// (PasteCode), Cancel with CancelCode. The window that opened it writes the
// hit into the contact; the sheet changes no contact.
//
// Paste is enabled by choosing a hit, and disabled again by every new query,
// by Return and by a search that gives other than exactly one hit. While the
// window is locked against editing it stays disabled: looking up still works.
class ZipSheetController : public QDialog, public ZipSearch {
    Q_OBJECT

public:
    static constexpr int CancelCode = 0;
    static constexpr int PasteCode = 1;
    // The notification posted with the pasted hit.
    static inline const QString zipSearchDoOKNotification = QStringLiteral("MV1NZipSearchDoOK");

    // Searches the shipped postal data, or the database given.
    explicit ZipSheetController(QWidget *parent = nullptr, std::shared_ptr<const PostalDatabase> database = nullptr);
    ~ZipSheetController() override;

    // Puts the query into the field and searches it as if typed; the mode
    // stands for an empty query or a single digit. Always true.
    bool setTargetString(const QString &query, qint32 mode);
    // The hit of the selected row and the mode of the search that found it;
    // nothing without a selected row.
    [[nodiscard]] std::optional<PostalRecord> queryResultwithMode(qint32 *mode) const;
    // Whether Paste may be enabled at all (false while the window is locked).
    void setPasteAllowed(bool allowed);

    void buttonPressed(QObject *sender);

    [[nodiscard]] QLineEdit *inputField() const { return m_inputField; }
    [[nodiscard]] QTableView *tableView() const { return m_tableView; }
    [[nodiscard]] QPushButton *pasteButton() const { return m_pasteButton; }
    [[nodiscard]] QPushButton *cancelButton() const { return m_cancelButton; }

protected:
    void reloadResultView() override;

private:
    void controlTextDidChange(const QString &text);
    void inputFieldEntered();
    void rowWasSelected();
    void setPasteEnabled(bool enabled);

    ZipResultModel *m_model = nullptr;
    QLineEdit *m_inputField = nullptr;
    QTableView *m_tableView = nullptr;
    QPushButton *m_pasteButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    bool m_pasteAllowed = true;
};
