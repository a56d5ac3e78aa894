#pragma once

#include "detail/ContactInfoPaneView.h"
#include "editors/InterfaceFontKeys.h"
#include "table/ContactInfoPopoverPane.h"

#include <QPointer>

class ContactInfoPopoverDelegate;
class EditLockToggle;
class Popover;
class QLineEdit;
class SeparatorBox;
class UndoManager;

// A contact of the table shown in a popover beside its row, or in a window
// of its own once dragged away: the details of the pane under a header of
// the contact's name and an Edit/Lock toggle of its own, which a window that
// cannot be unlocked disables. Every change goes to the delegate (the opening
// window's controller), whose undo manager it also undoes and redoes with its
// own Ctrl+Z and Shift+Ctrl+Z while the window's Edit menu would; Backspace or
// Delete clears the selected row's value. When it closes it tells the
// delegate once and keeps the photo row's height for the next one.
class ContactInfoPopover : public ContactInfoPaneView<ContactInfoPopoverPane>, public InterfaceFontKeys {
    Q_OBJECT

public:
    static inline const QString iconRowCountKey = QStringLiteral("MV1DiconRowCount");

    // The settings come from the defaults given, or the application's own.
    explicit ContactInfoPopover(UserDefaults *defaults = nullptr, QWidget *parent = nullptr);
    ~ContactInfoPopover() override;

    // The popover's rule: the font's line height and 4, or 1.42 × its size
    // and 4 when that is taller, then 6 more; never below 24.
    [[nodiscard]] static double rowHeightFor(double pointSize, double lineHeight);
    [[nodiscard]] double rowHeightForFont(const QFont &font) const override;
    [[nodiscard]] DetailHost detailHost() const override { return DetailHost::Popover; }
    // The photo row's height in lines as stored: 3 when absent or outside 1–20.
    [[nodiscard]] static int storedIconRowCount(const UserDefaults &defaults);
    // The font the defaults name: the system font at 12 points for none.
    [[nodiscard]] static QFont storedFont(const UserDefaults &defaults);

    void setContact(const PersonRecordPtr &contact) override;
    // Editing stays off in a window that cannot be unlocked.
    void setEditState(bool editState) override;
    void windowLockDidChange() override;
    void editForIdentifier(const ContactIdentifier &type) override { ContactInfoView::editForIdentifier(type); }
    void setParentPopover(Popover *popover) override;
    void setParentWindow(QWidget *window) override;
    void setMyUndoManager(UndoManager *undoManager) override;
    void setDelegate(ContactInfoPopoverDelegate *delegate) override;
    void closePopover() override;

    // Undo or redo one step of the opening window when its Edit menu would;
    // the parent window stays marked edited while anything is left to undo.
    void undo();
    void redo();
    // The Edit/Lock toggle pressed.
    void buttonDidPress();

    [[nodiscard]] QLineEdit *contactNameField() const { return m_contactNameField; }
    [[nodiscard]] EditLockToggle *editButton() const { return m_editButton; }
    [[nodiscard]] SeparatorBox *redSeparator() const { return m_redSeparator; }

protected:
    [[nodiscard]] bool sendsUnchangedText() const override { return false; }
    void markWindowEdited() override;
    [[nodiscard]] bool showsContactOfHit() const override { return false; }
    [[nodiscard]] bool photoWellTakesDrops() const override { return editState(); }
    void shownContactDidChange() override { showContactName(); }
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void updateGeometries() override;

private:
    void buildHeader();
    void viewWillAppear();
    void viewWillDisappear();
    enum class HistoryKey { None, Undo, Redo };
    [[nodiscard]] static HistoryKey historyKey(const QKeyEvent &event);
    void stepUndoManager(void (UndoManager::*step)());
    // The delegate while it lives.
    [[nodiscard]] ContactInfoPopoverDelegate *popoverDelegate() const;
    [[nodiscard]] bool windowCanUnlock() const;
    void deleteSelectedValue();
    [[nodiscard]] bool clearRowValue(const InfoRowRecord &row);
    void showContactName();

    QWidget *m_header = nullptr;
    QLineEdit *m_contactNameField = nullptr;
    EditLockToggle *m_editButton = nullptr;
    SeparatorBox *m_redSeparator = nullptr;
    QPointer<QWidget> m_parentWindow;
    QPointer<Popover> m_parentPopover;
    QPointer<UndoManager> m_undoManager;
    ContactInfoPopoverDelegate *m_popoverDelegate = nullptr;
    bool m_closeNoticeSent = false;
};
