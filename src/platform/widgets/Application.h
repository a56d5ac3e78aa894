#pragma once

#include "platform/widgets/ClickOwnership.h"

#include <QApplication>

// The application object of the program and of its tests: a QApplication
// that keeps every click to the window it began in. Only the application
// sees each event before every event filter, and a click's presses must be
// judged before a popover's filter closes on one of them.
class Application : public QApplication {
public:
    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // The rule of the running application; none where the application
    // object is a plain QApplication.
    [[nodiscard]] static const ClickOwnership *clicks();

private:
    ClickOwnership m_clicks;
};
