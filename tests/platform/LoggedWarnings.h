#pragma once

#include <QStringList>
#include <QtGlobal>

// Collects the warnings logged while it lives.
class LoggedWarnings {
public:
    LoggedWarnings() { s_previous = qInstallMessageHandler(&LoggedWarnings::handle); }
    ~LoggedWarnings()
    {
        qInstallMessageHandler(s_previous);
        s_lines.clear();
    }

    [[nodiscard]] QStringList lines() const { return s_lines; }

private:
    static void handle(QtMsgType, const QMessageLogContext &, const QString &message) { s_lines.append(message); }

    static inline QtMessageHandler s_previous = nullptr;
    static inline QStringList s_lines;
};
