// The sheet of the table's column commands: the table lies below the find
// folder that holds it, so it asks for the sheet here.

#include "app/ViewController.h"

#include "find/ReplaceAlertPanel.h"

namespace {

QString sheetType(const QString &key)
{
    if (key == QLatin1String("Add Label and Text"))
        return ReplaceAlertPanel::addLabelAndTextTitle();
    if (key == QLatin1String("Replace Label and Text"))
        return ReplaceAlertPanel::replaceLabelAndTextTitle();
    if (key == QLatin1String("Replace Text"))
        return ReplaceAlertPanel::replaceTextTitle();
    if (key == QLatin1String("Prepend Text"))
        return ReplaceAlertPanel::prependTextTitle();
    if (key == QLatin1String("Append Text"))
        return ReplaceAlertPanel::appendTextTitle();
    return key;
}

} // namespace

void ViewController::showReplaceAlertPanel(const ReplaceAlertRequest &request, const ReplaceAlertCompletion &completion)
{
    if (!request.window) {
        qWarning("%s: ERROR no window for the sheet", Q_FUNC_INFO);
        return;
    }
    auto *panel = new ReplaceAlertPanel(request.window);
    panel->setAttribute(Qt::WA_DeleteOnClose);
    panel->setLabels(request.labels);
    panel->setLabel(request.label);
    panel->setType(sheetType(request.type));
    panel->setReplaceString(request.replaceString);
    panel->setIdentifier(request.identifier);
    panel->updateUI();
    connect(panel, &QDialog::finished, panel, [panel, completion](int code) {
        if (code == 1 && completion)
            completion({panel->replaceString(), panel->label()});
    });
    panel->open();
}
