#pragma once

#include "detail/InfoRowRecord.h"
#include "detail/ValueEditorHost.h"
#include "editors/ValueEditorDelegate.h"

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QRect>

#include <optional>

class ContactInfoView;
class ValueEditorHandOff;

// What the rows of a contact's details do beyond typing: a double click opens
// the value editor that suits the row or starts editing its text; the context
// menu of a value cell adds or deletes an item, opens an editor, picks or
// removes the photo, changes the photo row's height, or hands the value to
// another application (a call, a mail, a map, a web page, the calendar).
// Every change goes through the view's delegate as one undo step that the
// view sends, after which the view rebuilds itself.
class ContactInfoRowCommands : public QObject, public ValueEditorHost, public ValueEditorDelegate {
    Q_OBJECT

public:
    explicit ContactInfoRowCommands(ContactInfoView *view);
    ~ContactInfoRowCommands() override;

    [[nodiscard]] ValueEditorHandOff &handOff() const { return *m_handOff; }

    // A double click on the cell, with the keys held then.
    void doubleClick(const QModelIndex &index, Qt::KeyboardModifiers modifiers);

    // Rebuilds the menu for a row and column of the view; false when the
    // row has no menu there, which then is not shown.
    bool rebuildMenu(int row, int column);
    // The menu last built; null before.
    [[nodiscard]] QMenu *menu() const { return m_menu; }
    // Runs the item of that key on the row the menu was built for; nothing
    // when that row's value has gone since.
    void runMenuCommand(const QString &key);

    // Reads the file (its orientation applied) and writes it as the photo in
    // one undo step; a file that holds no readable image changes nothing.
    bool pickPhotoFile(const QString &path);

    // --- ValueEditorHost ---------------------------------------------------
    [[nodiscard]] QAbstractItemView *editorPositioningView(const PersonRecordPtr &contact) const override;
    [[nodiscard]] bool editorEditState() const override;
    [[nodiscard]] QFont editorFont() const override;
    [[nodiscard]] QSize addressEditorSize() const override;
    [[nodiscard]] ValueEditorDelegate *editorDelegate() override { return this; }
    void valueEditorResultDidApply() override;

    // --- ValueEditorDelegate: the view's delegate, this view the sender ----
    bool undoReplaceValue(
        const PersonValue &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact) override;
    void undoAddLabeledValue(
        const LabeledValueRecord &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The row a menu was built for, as it was then.
    struct ClickedRow {
        PersonRecordPtr contact;
        InfoRowRecord record;
        int row = -1;
    };

    [[nodiscard]] bool acts() const;
    void showMenu(const QPoint &position);
    [[nodiscard]] bool valuePresent(const InfoRowRecord &record) const;
    // The clicked row found again in the rows now shown; -1 when it is gone.
    [[nodiscard]] int currentRowOf(const ClickedRow &clicked) const;
    [[nodiscard]] QRect cellRect(int row) const;

    void openEditorFor(int row, int action);
    void addItem(int row);
    void deleteItem(int row);
    void changeIconRowCount(int step);
    void openInWorkspace(const QString &key, int row);
    void chooseImage();
    void deleteImage();
    void contactDidChange();
    void addLabeledValue(const LabeledValueRecord &value, const ContactIdentifier &type);

    ContactInfoView *m_view = nullptr;
    ValueEditorHandOff *m_handOff = nullptr;
    QPointer<QMenu> m_menu;
    std::optional<ClickedRow> m_clicked;
    Qt::KeyboardModifiers m_doubleClickModifiers;
};
