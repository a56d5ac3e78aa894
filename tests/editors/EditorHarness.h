#pragma once

#include "editors/PopoverContextInfo.h"
#include "editors/ValueEditor.h"
#include "model/ContactRecord.h"
#include "platform/widgets/Popover.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QWidget>

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
        const bool latin1 = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x100; });
        if (latin1) {
            QTest::keyClicks(field, text);
            return;
        }
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
