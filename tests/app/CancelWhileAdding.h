#pragma once

#include "app/ProgressAlert.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

// Presses Cancel of the progress window on the given turn of the event loop
// (1: the first) that finds it showing the adding of chosen contacts; the
// look, when given, runs just before, to see what the window shows then.
class CancelWhileAdding {
public:
    CancelWhileAdding(ProgressAlert &progress, int turn, std::function<void()> look = nullptr)
    {
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this, &progress, turn, look] {
            if (!progress.isVisible() || progress.alertMessage()->text() != QStringLiteral("Adding the contacts…"))
                return;
            if (++m_turns < turn)
                return;
            m_timer.stop();
            if (look)
                look();
            QTest::mouseClick(progress.cancelButton(), Qt::LeftButton);
        });
        m_timer.start(0);
    }

    // The turns that found the adding shown.
    [[nodiscard]] int turns() const { return m_turns; }

private:
    QTimer m_timer;
    int m_turns = 0;
};
