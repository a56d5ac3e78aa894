#include "table/workspace/WorkspaceAction.h"

#include "table/workspace/WorkspaceUrls.h"

namespace WorkspaceAction {

namespace {

QString urlFor(Kind kind, const QString &text)
{
    switch (kind) {
    case Kind::CallPhone:
        return WorkspaceUrls::phone(text);
    case Kind::SendEmail:
        return WorkspaceUrls::mail(text);
    case Kind::OpenURL: {
        const QString url = WorkspaceUrls::web(text);
        if (url.isEmpty())
            qWarning("%s: ERROR no web address in %s", Q_FUNC_INFO, qPrintable(text));
        return url;
    }
    case Kind::OpenMap:
        return WorkspaceUrls::maps(text);
    case Kind::OpenWebMap:
        return WorkspaceUrls::webMapSearch(text);
    case Kind::OpenCalendar:
        return WorkspaceUrls::calendar();
    }
    return {};
}

Result openUrl(const QString &url)
{
    return {WorkspaceOpener::open(url), url};
}

} // namespace

Result perform(Kind kind, const QString &text)
{
    if (kind != Kind::OpenCalendar && text.isEmpty())
        return {};
    Result result = openUrl(urlFor(kind, text));
    // Where no application takes the maps query, the web map search does.
    if (kind == Kind::OpenMap && result.outcome == WorkspaceOpener::Outcome::NotOpened)
        result = openUrl(WorkspaceUrls::webMapSearch(text));
    return result;
}

} // namespace WorkspaceAction
