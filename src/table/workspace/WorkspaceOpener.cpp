#include "table/workspace/WorkspaceOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace WorkspaceOpener {

Outcome open(const QString &urlText)
{
    if (urlText.isEmpty())
        return Outcome::Invalid;
    const QUrl url(urlText, QUrl::StrictMode);
    if (!url.isValid()) {
        qWarning("%s: ERROR no valid URL in %s: %s", Q_FUNC_INFO, qPrintable(urlText), qPrintable(url.errorString()));
        return Outcome::Invalid;
    }
    if (QDesktopServices::openUrl(url))
        return Outcome::Opened;
    qWarning("%s: ERROR nothing opens %s", Q_FUNC_INFO, url.toEncoded().constData());
    return Outcome::NotOpened;
}

} // namespace WorkspaceOpener
