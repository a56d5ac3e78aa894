#pragma once

#include "editors/EditorEnding.h"
#include "editors/PopoverContextInfo.h"

#include <QPointer>
#include <QWidget>

class MVPerson;
class Popover;
class QAbstractItemDelegate;
class QAbstractItemModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QShortcut;
class QTableView;
class QVBoxLayout;
class SeparatorBox;

// The frame every popover value editor shares: the contact's name and
// picture, the Edit/Lock toggle, Done (titled "Change" while editing),
// Cancel and the separator that turns red while editing. An editor edits
// copies; Done while editing writes the result and "dirty" into the context
// it was given, and Done or Cancel closes its popover. The opener applies
// the result after the close.
class ValueEditor : public QWidget {
    Q_OBJECT

public:
    explicit ValueEditor(QWidget *parent = nullptr);
    ~ValueEditor() override;

    // Called once, after the popover was shown: keeps the very context, fills
    // the frame and the controls from its contact, then sets the toggle to
    // `editable` when the context allows editing, else locks it off.
    void setContextInfo(const PopoverContextInfoPtr &contextInfo, bool editable);
    [[nodiscard]] const PopoverContextInfoPtr &contextInfo() const { return m_contextInfo; }
    // The popover Done and Cancel close; not owned.
    void setPopover(Popover *popover);
    [[nodiscard]] Popover *popover() const;
    [[nodiscard]] bool isEditing() const;
    // Ends the editor and closes its popover. As Done, what the user changed
    // while editing is written, the text still being typed included; an
    // editor that was only looked at writes nothing. False when Done refused
    // what was typed (a date that reads as none): the editor stays open and
    // shows it.
    bool finish(EditorEnding ending);

    // The frame's controls.
    [[nodiscard]] QLineEdit *contactNameField() const { return m_contactNameField; }
    [[nodiscard]] QPushButton *editButton() const { return m_editButton; }
    [[nodiscard]] QPushButton *doneButton() const { return m_doneButton; }
    [[nodiscard]] QPushButton *cancelButton() const { return m_cancelButton; }
    [[nodiscard]] SeparatorBox *redSeparator() const { return m_redSeparator; }

protected:
    // Where an editor puts its own controls, between separator and buttons.
    [[nodiscard]] QVBoxLayout *bodyLayout() const { return m_bodyLayout; }
    // The person of the context's contact, or null.
    [[nodiscard]] MVPerson *person() const;

    // Fills the editor's controls; a null person leaves them empty.
    virtual void fillControls(MVPerson *person, bool editable) = 0;
    virtual void setControlsEditing(bool editing) = 0;
    // Writes "value" and "dirty"; false keeps the editor open.
    virtual bool writeResult() = 0;
    // After the toggle was set for the first time.
    virtual void contextInfoDidLoad() { }
    // After Done or Cancel closed the popover.
    virtual void didFinish() { }
    // Hands in what is typed but not yet entered (a cell being edited, an
    // editor opened from this one), as a click on Done does.
    virtual void enterPendingInput() { }
    // Whether each toggle gives Done the Return key.
    [[nodiscard]] virtual bool doneTakesReturnAtToggle() const { return true; }
    // Editors that ignore "editEnabled" can always be unlocked.
    [[nodiscard]] virtual bool readsEditEnabled() const { return true; }
    // Done's title and whether a toggle enables it; whether a toggle shows
    // or hides Cancel.
    [[nodiscard]] virtual QString doneTitle(bool editing) const;
    [[nodiscard]] virtual bool doneEnabledAtToggle(bool editing) const { return !editing; }
    [[nodiscard]] virtual bool togglesCancel() const { return true; }

    // A field the user cannot type in looks like a label.
    static void setFieldEditable(QLineEdit *field, bool editable);

    // The editors' own tables use rows of 20 pixels.
    static constexpr int tableRowHeight = 20;
    // A table of whole rows, without row numbers, its last column filling it.
    static void setUpTable(QTableView *view, QAbstractItemModel *model, QAbstractItemDelegate *delegate);
    // The row of a table of whole rows that the user works on: the current
    // one when selected, else the first selected one; -1 for none.
    [[nodiscard]] static int selectedTableRow(const QTableView *view);
    // Selects one row and makes it current; a row outside clears the selection.
    static void selectTableRow(QTableView *view, int row);
    // The small add ("+") and delete buttons under a table.
    [[nodiscard]] QPushButton *makeTableButton(bool add);

    // Writes copies of the rows as the result, and "dirty".
    void writeRows(const LabeledValueList &rows);

    // A change the user made: Done is enabled.
    void userDidChange();
    void setDoneEnabled(bool enabled);
    void setDoneTakesReturn(bool takesReturn);

private:
    void buildFrame();
    void setEditState(bool editing);
    void showFrameState(bool editing);
    void pressDone();
    void closePopover();
    void updateReturnShortcut();

    PopoverContextInfoPtr m_contextInfo;
    QPointer<Popover> m_popover;
    bool m_doneTakesReturn = false;
    // Whether the user changed anything since the editor was filled.
    bool m_userChanged = false;

    QLineEdit *m_contactNameField = nullptr;
    QLabel *m_imageView = nullptr;
    QPushButton *m_editButton = nullptr;
    QPushButton *m_doneButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    SeparatorBox *m_redSeparator = nullptr;
    QVBoxLayout *m_bodyLayout = nullptr;
    QShortcut *m_returnShortcut = nullptr;
    QShortcut *m_enterShortcut = nullptr;
};
