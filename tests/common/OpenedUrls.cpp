#include "common/OpenedUrls.h"

#include <QDesktopServices>
#include <QUrl>

OpenedUrls::OpenedUrls(const QStringList &schemes)
    : m_schemes(schemes)
{
    for (const QString &scheme : m_schemes)
        QDesktopServices::setUrlHandler(scheme, this, "take");
}

OpenedUrls::~OpenedUrls()
{
    for (const QString &scheme : m_schemes)
        QDesktopServices::unsetUrlHandler(scheme);
}

void OpenedUrls::take(const QUrl &url)
{
    urls.append(url.toString(QUrl::FullyEncoded));
}
