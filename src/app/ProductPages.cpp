#include "app/ProductPages.h"

#include <QDesktopServices>
#include <QUrl>

namespace ProductPages {

bool open(const QUrl &url)
{
    if (QDesktopServices::openUrl(url))
        return true;
    qWarning("%s: ERROR nothing opens %s", Q_FUNC_INFO, url.toEncoded().constData());
    return false;
}

} // namespace ProductPages
