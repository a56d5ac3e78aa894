#pragma once

#include "app/ViewController.h"
#include "app/WindowController.h"
#include "common/EventLoop.h"
#include "common/Screenshot.h"
#include "common/TestEnvironment.h"
#include "detail/ContactInfoController.h"
#include "detail/ContactInfoPopover.h"
#include "detail/ContactInfoPopoverDelegate.h"
#include "model/ContactRecord.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"
#include "platform/UndoManager.h"
#include "platform/UserDefaults.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTest>

#include <memory>

namespace DetailTest {

using LabeledTexts = QList<std::pair<QString, QString>>; // label word, text

inline std::unique_ptr<UserDefaults> freshDefaults()
{
    return std::make_unique<UserDefaults>(
        TestEnvironment::makeScratchFolder(QStringLiteral("detail-defaults")) + QStringLiteral("/Quillmark.conf"));
}

// Values numbered by the labelIndex given, which a deletion leaves with gaps.
inline void setLabeled(MVPerson &person, const ContactIdentifier &field, const LabeledTexts &values,
    const QList<qint64> &labelIndexes = {})
{
    LabeledValueList list;
    for (qsizetype i = 0; i < values.size(); ++i) {
        auto value = std::make_shared<LabeledValueRecord>();
        value->label = values.at(i).first;
        value->value = values.at(i).second;
        value->stringValue = values.at(i).second;
        value->labelIndex = i < labelIndexes.size() ? labelIndexes.at(i) : i;
        list.append(value);
    }
    person.setValue(list, field);
}

// Hands a drag event to the widget as a drag from elsewhere would, without
// the drag manager, which takes drops only of drags it started.
inline void deliver(QWidget *widget, QEvent *event)
{
    static_cast<QObject *>(widget)->event(event);
}

// A picture of a face-coloured square on blue.
inline QImage portrait()
{
    QImage image(96, 96, QImage::Format_ARGB32);
    image.fill(QColor(70, 110, 170));
    QPainter(&image).fillRect(QRect(24, 14, 48, 48), QColor(240, 200, 160));
    return image;
}

// Taro Yamada, with a value in every field the pane shows.
inline ContactRecordPtr fullContact()
{
    auto person = std::make_shared<MVPerson>();
    person->setUniqueId(QStringLiteral("taro"));
    NameRecord name;
    name.firstName = QStringLiteral("Taro");
    name.lastName = QStringLiteral("Yamada");
    name.setPreviousFamilyName(QStringLiteral("Sato"));
    person->setValue(name, FieldId::Name);
    person->setValue(PhoneticNameRecord{"タロウ", {}, "ヤマダ", {}}, FieldId::PhoneticName);
    person->setValue(QStringLiteral("Quill Co."), FieldId::Company);
    person->setValue(QStringLiteral("Sales"), FieldId::Department);
    person->setValue(QStringLiteral("Hanako\nIchiro"), FieldId::Renmei);
    person->setValue(QStringLiteral("Met at the fair.\nLikes tea."), FieldId::Note);
    setLabeled(*person, FieldId::Phone, {{"mobile", "090-1234-5678"}, {"work", "03-1111-2222"}});
    setLabeled(*person, FieldId::Email, {{"home", "taro@example.com"}});
    setLabeled(*person, FieldId::URL, {{"home page", "https://example.com/taro"}});
    auto address = std::make_shared<LabeledValueRecord>();
    address->label = QStringLiteral("home");
    address->address->zip = QStringLiteral("100-0001");
    address->address->state = QStringLiteral("東京都");
    address->address->city = QStringLiteral("千代田区");
    address->address->street = QStringLiteral("千代田1-1");
    address->address->country = QStringLiteral("Japan");
    address->address->isoCountryCode = QStringLiteral("jp");
    address->labelIndex = 0;
    MVPerson::updateAddressValue(address.get(), 3);
    person->setValue(LabeledValueList{address}, FieldId::Address);
    person->setValue(StoreDateComponents{1980, 1, 31}, FieldId::Birthday);
    person->setPhoto(portrait());
    const ContactRecordPtr contact = ContactRecord::makeWithPerson(person);
    contact->groupNames = {QStringLiteral("Friends"), QStringLiteral("Work")};
    return contact;
}

// A contact with a first name only.
inline ContactRecordPtr contactNamed(const QString &firstName, const QString &uniqueId = QStringLiteral("c1"))
{
    auto person = std::make_shared<MVPerson>();
    person->setUniqueId(uniqueId);
    NameRecord name;
    name.firstName = firstName;
    person->setValue(name, FieldId::Name);
    return ContactRecord::makeWithPerson(person);
}

// A find hit in a field of the contact.
inline ItemAndRangeRecordPtr hitIn(const ContactRecordPtr &contact, const ContactIdentifier &field, TextRange range,
    std::optional<qint64> labelIndex = std::nullopt)
{
    auto hit = std::make_shared<ItemAndRangeRecord>();
    hit->contact = contact;
    hit->uniqueId = contact->uniqueId;
    hit->identifier = field;
    hit->labelIndex = labelIndex;
    hit->range = range;
    return hit;
}

// What a popover or photo well tells its delegate.
class RecordingPopoverDelegate : public ContactInfoPopoverDelegate {
public:
    void contactDidUpdate(const PersonRecordPtr &, const ContactInfoView *) override { }
    bool undoReplaceValue(const PersonValue &, const ContactIdentifier &, const PersonRecordPtr &) override
    {
        return false;
    }
    void undoDeleteLabeledValue(const LabeledValueRecord &, const ContactIdentifier &, const PersonRecordPtr &) override
    {
    }
    void undoAddLabeledValue(const LabeledValueRecord &, const ContactIdentifier &, const PersonRecordPtr &) override {
    }
    void rowSelectionDidChange(const ContactInfoView *, const InfoRowRecord &) override { }
    void detachedWindowDidClose(const DetachedWindowCloseInfo &info) override { closings.append(info.uniqueId); }

    QStringList closings;
};

// The address-book window with its real controller and detail pane, shown
// with the pane open on a contact.
class PaneTest : public testing::Test {
protected:
    void SetUp() override
    {
        FieldVocabulary::shared().removeAllCustomLabels();
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        m_window.showContactInfo(true);
        m_window.undoManager()->removeAllActions();
        m_window.setWindowModified(false);
    }

    void show(const ContactRecordPtr &contact)
    {
        m_contact = contact;
        pane().setContact(contact);
        QCoreApplication::processEvents();
    }

    [[nodiscard]] ContactInfoController &pane() const
    {
        return *dynamic_cast<ContactInfoController *>(m_controller.contactInfoController());
    }
    [[nodiscard]] const ContactInfoTableModel &rows() const { return *pane().infoModel(); }
    [[nodiscard]] MVPerson &person() const { return *m_contact->person; }
    // The nth row of a type in the pane or a view.
    [[nodiscard]] int rowOf(const ContactIdentifier &type, int nth = 0) const { return rowIn(pane(), type, nth); }
    static int rowIn(const ContactInfoView &view, const ContactIdentifier &type, int nth = 0)
    {
        for (int row = 0; row < view.infoModel()->rowCount(); ++row) {
            if (view.infoModel()->rowAt(row).type == type && nth-- == 0)
                return row;
        }
        return -1;
    }

    // Clicks the row's value cell: a click on the selected row starts
    // editing it, once a double click can no longer come; on another row the
    // click selects it and F2 starts editing.
    static QPlainTextEdit *editRow(ContactInfoView &view, int row)
    {
        const bool selected = view.selectedRows().contains(row);
        const QRect cell = view.visualRect(view.infoModel()->index(row, ContactInfoTableModel::ValueColumn));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell.topRight() + QPoint(-10, 5));
        if (selected)
            (void)QTest::qWaitFor([] { return qobject_cast<QPlainTextEdit *>(QApplication::focusWidget()) != nullptr; },
                QApplication::doubleClickInterval() + 500);
        else
            QTest::keyClick(&view, Qt::Key_F2);
        return qobject_cast<QPlainTextEdit *>(QApplication::focusWidget());
    }
    // Replaces the text of the row's editor by typing, then presses the key.
    static void typeInto(ContactInfoView &view, int row, const QString &text, Qt::Key key = Qt::Key_Return)
    {
        QPlainTextEdit *editor = editRow(view, row);
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, key);
    }
    // The row now being edited, or -1.
    static int editedRow(const ContactInfoView &view)
    {
        auto *editor = qobject_cast<QPlainTextEdit *>(QApplication::focusWidget());
        return editor && view.isAncestorOf(editor) ? view.indexAt(editor->geometry().center()).row() : -1;
    }
    // Opens the pop-up of the row's value cell and picks the item.
    static void choose(ContactInfoView &view, int row, const QString &title)
    {
        const QRect cell = view.visualRect(view.infoModel()->index(row, ContactInfoTableModel::ValueColumn));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell.topLeft() + QPoint(8, 8));
        QMenu *menu = view.popupMenu();
        ASSERT_NE(menu, nullptr) << "no pop-up";
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        QAction *item = nullptr;
        for (QAction *candidate : menu->actions()) {
            if (candidate->text() == title)
                item = candidate;
        }
        ASSERT_NE(item, nullptr) << title.toStdString();
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        QCoreApplication::processEvents();
    }

    std::unique_ptr<UserDefaults> m_defaults = freshDefaults();
    WindowController m_window{WindowController::Services{m_defaults.get(), nullptr}};
    ViewController &m_controller = *m_window.mainViewController();
    ContactRecordPtr m_contact;
};

} // namespace DetailTest
