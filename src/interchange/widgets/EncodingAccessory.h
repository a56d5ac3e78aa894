#pragma once

#include "interchange/EncodingRow.h"

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

class EncodingListModel;
class QComboBox;
class QFileDialog;
class QLabel;
class QPushButton;
class QTableView;
class UserDefaults;

// The encoding chooser of open panels: a pop-up of "Automatic", the user's
// short list of encodings and "Customize Encoding List…", which opens a panel
// listing every encoding with a check box. The short list is kept in the user
// default "Encodings" as the checked rows' names.
//
// Open mode (setEncodingOnly) is what the import commands use; save mode, the
// mode after creation, adds a line-break pop-up and starts at UTF-8.
class EncodingAccessory : public QWidget {
    Q_OBJECT

public:
    static inline const QString encodingsKey = QStringLiteral("Encodings");

    enum class AccessoryType { Save = 0, Open = 1 };
    enum class CustomizeButton { SelectAll, ClearAll, Revert };

    // The short list is read from the defaults given, else the application's,
    // and the default list made for the application locale's languages.
    explicit EncodingAccessory(QWidget *parent = nullptr, UserDefaults *defaults = nullptr);
    ~EncodingAccessory() override;

    // Puts the accessory below the controls of a dialog, which then draws
    // itself instead of asking the desktop for its dialog.
    void attachTo(QFileDialog *dialog);

    void setEncodingOnly();
    // The chosen encoding's id; 0 for "Automatic", and for "Customize Encoding
    // List…" left showing in the pop-up.
    [[nodiscard]] quint32 encodingType();
    // Back to "Automatic" in open mode, to UTF-8 in save mode.
    void resetMenu();
    // Closes the customize panel, which stores the short list.
    void requestClose();
    void buttonsPressed(CustomizeButton button);
    // A check box of the customize panel changed: the encoding joins the
    // pop-up, right below "Automatic" and chosen, or leaves it.
    void setEncodingChecked(int row, bool checked);

    // --- Outlets ------------------------------------------------------------
    [[nodiscard]] QComboBox *encodingTypePopup() const { return m_encodingTypePopup; }
    [[nodiscard]] QComboBox *lineBreakTypePopup() const { return m_lineBreakTypePopup; }
    [[nodiscard]] QDialog *encodingListPanel() const { return m_encodingListPanel; }
    [[nodiscard]] QTableView *tableView() const { return m_tableView; }
    [[nodiscard]] QPushButton *selectAllButton() const { return m_selectAllButton; }
    [[nodiscard]] QPushButton *clearAllButton() const { return m_clearAllButton; }

private:
    enum class ItemKind { Encoding, Automatic, Customize };

    void buildAccessory();
    void buildEncodingListPanel();
    void loadShortList();
    void setupEncodingPopup();
    void insertAutomaticItem();
    void encodingTypePopupSelected(int index);
    void openEncodingListPanel();
    void saveEncodings();
    [[nodiscard]] ItemKind itemKind(int index) const;
    [[nodiscard]] quint32 itemEncoding(int index) const;
    [[nodiscard]] int indexOfEncoding(quint32 encoding) const;

    UserDefaults &m_defaults;
    QList<EncodingRow> m_encodingTable;
    AccessoryType m_accessoryType = AccessoryType::Save;
    quint32 m_encoding = 0;
    QString m_utf8LocalizedName;

    QLabel *m_encodingTypePopupTitle = nullptr;
    QComboBox *m_encodingTypePopup = nullptr;
    QLabel *m_lineBreakTypePopupTitle = nullptr;
    QComboBox *m_lineBreakTypePopup = nullptr;
    QPointer<QDialog> m_encodingListPanel;
    QTableView *m_tableView = nullptr;
    EncodingListModel *m_tableModel = nullptr;
    QPushButton *m_selectAllButton = nullptr;
    QPushButton *m_clearAllButton = nullptr;
    QPushButton *m_revertButton = nullptr;
};
