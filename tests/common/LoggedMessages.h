#pragma once

#include <QString>
#include <QStringList>

// Collects what Qt's logging receives while it lives, so that a test can
// check that a failure was logged.
class LoggedMessages {
public:
    LoggedMessages() { s_previous = qInstallMessageHandler(&LoggedMessages::handle); }
    ~LoggedMessages()
    {
        qInstallMessageHandler(s_previous);
        s_lines.clear();
    }
    LoggedMessages(const LoggedMessages &) = delete;
    LoggedMessages &operator=(const LoggedMessages &) = delete;

    [[nodiscard]] const QStringList &lines() const { return s_lines; }
    [[nodiscard]] bool contains(const QString &text) const { return !s_lines.filter(text).isEmpty(); }

private:
    static void handle(QtMsgType, const QMessageLogContext &, const QString &message) { s_lines.append(message); }

    static inline QtMessageHandler s_previous = nullptr;
    static inline QStringList s_lines;
};
