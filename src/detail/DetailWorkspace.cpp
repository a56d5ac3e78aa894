#include "detail/DetailWorkspace.h"

#include "detail/DetailContextMenu.h"
#include "table/workspace/WorkspaceAction.h"

#include <QCoreApplication>
#include <QHash>
#include <QMessageBox>

namespace DetailWorkspace {

namespace {

void alertNotOpened(const QString &urlText, QWidget *parent)
{
    auto *alert = new QMessageBox(parent);
    alert->setObjectName(QStringLiteral("notOpenedAlert"));
    alert->setIcon(QMessageBox::Warning);
    alert->setText(QCoreApplication::translate("ContactInfoRowCommands", "The link couldn't be opened."));
    alert->setInformativeText(
        QCoreApplication::translate("ContactInfoRowCommands", "No application on this computer opens “%1”.")
            .arg(urlText));
    alert->setWindowModality(Qt::WindowModal);
    alert->setAttribute(Qt::WA_DeleteOnClose);
    alert->open();
}

} // namespace

void open(const QString &key, const QString &text, QWidget *alertParent)
{
    using namespace DetailContextMenu;
    using WorkspaceAction::Kind;
    static const QHash<QString, Kind> kinds{{Key::CallPhone, Kind::CallPhone}, {Key::SendEmail, Kind::SendEmail},
        {Key::OpenURL, Kind::OpenURL}, {Key::OpenMap, Kind::OpenMap}, {Key::OpenGoogleMap, Kind::OpenWebMap},
        {Key::OpenCalendar, Kind::OpenCalendar}};
    const auto kind = kinds.constFind(key);
    if (kind == kinds.cend())
        return;
    const WorkspaceAction::Result result = WorkspaceAction::perform(*kind, text);
    // No calendar is no failure the user could mend; the opener logged it.
    if (result.outcome == WorkspaceOpener::Outcome::NotOpened && *kind != Kind::OpenCalendar)
        alertNotOpened(result.url, alertParent);
}

} // namespace DetailWorkspace
