#pragma once

#include "editors/InterfaceFontKeys.h"
#include "editors/SimpleInfoContext.h"
#include "model/ContactIdentifier.h"
#include "model/PersonValue.h"
#include "platform/widgets/Popover.h"

#include <QDialog>
#include <QImage>
#include <QPointer>

#include <functional>

class EditLockToggle;
class PostalDatabase;
class QLineEdit;
class QPushButton;
class QTableView;
class QToolButton;
class SeparatorBox;
class SimpleInfoTableModel;
class UndoManager;
class UserDefaults;
class ZipSearch;

// The short sheet in which a contact is added or shown: name, joint names,
// company, address and note of a copy of the contact, each change undoable
// in the sheet until Done hands the copy back in the context. Opened
// window-modal with open(); ends with 1 when something changed, else 0.
class SimpleInfoPanelController : public QDialog, public InterfaceFontKeys {
    Q_OBJECT

public:
    explicit SimpleInfoPanelController(QWidget *parent = nullptr);
    ~SimpleInfoPanelController() override;

    void setContextInfo(const SimpleInfoContextPtr &context, bool editable);
    [[nodiscard]] const SimpleInfoContextPtr &contextInfo() const { return m_context; }
    void setSelectedFont(const QFont &font);
    [[nodiscard]] const QFont &selectedFont() const { return m_selectedFont; }
    // The font the settings name, two points larger than the window's table,
    // or the system font at 13 points.
    void updateFontInTableView(const UserDefaults &defaults);
    // The postal tables the lookup reads; the shipped ones when never set.
    void setPostalDatabase(std::shared_ptr<const PostalDatabase> database);

    // The file "Add" reads a picture from; empty when the user cancels.
    using ImageFileChooser = std::function<QString(QWidget *window)>;
    // An open panel on the sheet's window unless set.
    void setImageFileChooser(ImageFileChooser chooser) { m_chooseImageFile = std::move(chooser); }
    // The picture chosen in the photo pull-down during this use; null when
    // none or deleted. It is shown only: the contact keeps its photo.
    [[nodiscard]] const QImage &thumbnail() const { return m_thumbnail; }
    [[nodiscard]] QToolButton *imagePopup() const { return m_imagePopup; }

    // The sheet's undoable change of one of its fields; false when nothing
    // changed. No value for "Address" removes the address again.
    bool undoReplaceValue(const PersonValue &value, const ContactIdentifier &identifier);

    [[nodiscard]] SimpleInfoTableModel *table() const { return m_table; }
    [[nodiscard]] QTableView *tableView() const { return m_tableView; }
    [[nodiscard]] UndoManager *undoManager() const { return m_undoManager; }
    [[nodiscard]] QPushButton *editButton() const;
    [[nodiscard]] QPushButton *doneButton() const { return m_doneButton; }
    [[nodiscard]] QPushButton *cancelButton() const { return m_cancelButton; }
    [[nodiscard]] SeparatorBox *redSeparator() const { return m_redSeparator; }
    [[nodiscard]] Popover *popover() const { return m_popover; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // Cancel, Escape and the close box.
    void reject() override;

private:
    void buildWindow();
    void setEditState(bool editing);
    void fitTypeColumn();
    void valueEdited(const QString &valueKey, const QString &text);
    bool addressEdited(const QString &valueKey, const QString &text);
    void moveToNextRow();
    void tableViewDoubleAction(const QModelIndex &index);
    void showRenmeiPopover(const QRect &cell);
    void imagePopupButtonPressed(bool add);
    void replacePhoto(const QImage &image);
    void pressDone();
    void reset();

    SimpleInfoContextPtr m_context;
    SimpleInfoTableModel *m_table = nullptr;
    UndoManager *m_undoManager = nullptr;
    std::shared_ptr<const PostalDatabase> m_postalDatabase;
    std::unique_ptr<ZipSearch> m_zipSearch;
    QHash<QString, QStringList> m_labelTableDict;
    QFont m_selectedFont;
    bool m_dirty = false;
    bool m_isNewContact = false;

    QImage m_thumbnail;
    ImageFileChooser m_chooseImageFile;

    QToolButton *m_imagePopup = nullptr;
    QLineEdit *m_nameField = nullptr;
    QTableView *m_tableView = nullptr;
    EditLockToggle *m_editButton = nullptr;
    SeparatorBox *m_redSeparator = nullptr;
    QPushButton *m_doneButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QPointer<Popover> m_popover;
};
