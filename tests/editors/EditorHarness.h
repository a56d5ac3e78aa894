#pragma once

#include "EditorTestContacts.h"
#include "common/QtPrinting.h"

#include "editors/PopoverContextInfo.h"
#include "editors/ValueEditor.h"
#include "platform/widgets/Popover.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

// A window beside whose cell an editor opens in a popover, in the order its
// openers follow: popover, editor, content, size, show, then the context.
class EditorHarness {
public:
    EditorHarness()
    {
        m_window.setGeometry(40, 40, 500, 300);
        m_window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }

    template <typename Editor> Editor *open(const PopoverContextInfoPtr &context, const QSize &size, bool editable)
    {
        m_popover = new Popover(&m_window);
        m_popover->setBehavior(Popover::Behavior::Semitransient);
        QObject::connect(m_popover, &Popover::didClose, m_popover, [this](Popover *closed) {
            ++m_closeCount;
            closed->deleteLater();
        });
        auto *editor = new Editor;
        editor->setPopover(m_popover);
        m_popover->setContentWidget(editor);
        m_popover->setContentSize(size);
        m_popover->showRelativeToRect(QRect(20, 20, 120, 20), &m_window, Popover::Edge::MaxY);
        editor->setContextInfo(context, editable);
        EXPECT_LE(editor->minimumSizeHint().width(), size.width());
        EXPECT_LE(editor->minimumSizeHint().height(), size.height());
        // A tool window counts as active with its parent; the keyboard needs
        // its own window to have the focus.
        EXPECT_TRUE(QTest::qWaitFor([this] { return QGuiApplication::focusWindow() == m_popover->windowHandle(); }));
        return editor;
    }

    [[nodiscard]] Popover *popover() const { return m_popover; }
    [[nodiscard]] bool isOpen() const { return m_popover && m_popover->isShown(); }
    [[nodiscard]] int closeCount() const { return m_closeCount; }
    [[nodiscard]] QWidget *window() { return &m_window; }

    // Replaces the field's text by typing, as a user does; text beyond
    // Latin-1 comes as an input method commits it.
    static void type(QLineEdit *field, const QString &text)
    {
        field->setFocus();
        field->selectAll();
        if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x100; }))
            return QTest::keyClicks(field, text);
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QCoreApplication::sendEvent(field, &commit);
    }

    // A context as the openers build it.
    [[nodiscard]] static PopoverContextInfoPtr context(const PersonRecordPtr &contact, const ContactIdentifier &type,
        bool editEnabled = true, std::optional<qint64> labelIndex = std::nullopt)
    {
        auto info = std::make_shared<PopoverContextInfo>();
        info->contact = contact;
        info->type = type;
        info->editEnabled = editEnabled;
        info->labelIndex = labelIndex;
        return info;
    }

private:
    QWidget m_window;
    QPointer<Popover> m_popover;
    int m_closeCount = 0;
};

// One editor of the test contact, opened by the test as its openers open it.
template <typename Editor> class EditorTest : public testing::Test {
protected:
    Editor *open(const ContactIdentifier &type, QSize size, std::optional<qint64> labelIndex = std::nullopt,
        bool editable = true)
    {
        m_context = EditorHarness::context(m_contact, type, true, labelIndex);
        m_editor = m_harness.open<Editor>(m_context, size, editable);
        return m_editor;
    }
    void done() { QTest::mouseClick(m_editor->doneButton(), Qt::LeftButton); }
    template <typename Result> [[nodiscard]] Result result() const
    {
        EXPECT_TRUE(m_context->dirty);
        const auto *record = std::get_if<Result>(&m_context->value);
        EXPECT_TRUE(record);
        return record ? *record : Result();
    }
    [[nodiscard]] QPoint centreOf(int row, int column) const
    {
        return m_editor->tableView()->visualRect(m_editor->tableView()->model()->index(row, column)).center();
    }
    void clickCell(int row, int column, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(m_editor->tableView()->viewport(), Qt::LeftButton, modifiers, centreOf(row, column));
    }
    // A double click reaches a view as a click followed by a double-click event.
    void doubleClickCell(int row, int column)
    {
        clickCell(row, column);
        QTest::mouseDClick(m_editor->tableView()->viewport(), Qt::LeftButton, {}, centreOf(row, column));
    }

    EditorHarness m_harness;
    ContactRecordPtr m_contact = testContact();
    PopoverContextInfoPtr m_context;
    Editor *m_editor = nullptr;
};
