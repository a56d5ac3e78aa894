#pragma once

#include <QObject>
#include <QStringList>

class QUrl;

// Stands in for the desktop's applications of the schemes given while it
// lives: records each address it was asked to open, fully encoded.
class OpenedUrls : public QObject {
    Q_OBJECT

public:
    explicit OpenedUrls(const QStringList &schemes);
    ~OpenedUrls() override;
    Q_INVOKABLE void take(const QUrl &url);

    QStringList urls;

private:
    QStringList m_schemes;
};
