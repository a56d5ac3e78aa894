#pragma once

#include "model/SubContactRecord.h"
#include "print/PrintInfo.h"

#include <QObject>
#include <QPointer>

#include <functional>

class HagakiViewController;
class QAbstractButton;
class OptionSheetController;
class QAction;
class QMenu;
class QPrinter;
class WindowCommandHost;

// The print commands of a contact window: File ▸ "Page Setup…" and
// "Print…", the toolbar's "Layout" that lets the user move the preview's
// blocks, the print style the pop-up chooses and the print options sheet of
// "Style Settings".
class PrintCommands : public QObject {
    Q_OBJECT

public:
    // What shows the print panel for a printer and reports whether the user
    // chose to print; a window-modal print dialog unless set (tests print to
    // a file without it).
    using PrintPanel = std::function<void(QPrinter &printer, const std::function<void(bool accepted)> &done)>;

    // Page Setup and Print go to the end of the menu.
    PrintCommands(WindowCommandHost &host, HagakiViewController *preview, QMenu &fileMenu);

    // File ▸ "Print…": the selected rows in the print style, on the printer
    // or into the PDF file the print panel chooses; nothing without a row.
    void printDocument();
    // File ▸ "Page Setup…": the paper of labels, envelopes and address lists,
    // in preview and print; postcards keep theirs. The dialog is window-modal
    // and this returns once it is answered.
    void runPageLayout();
    // The page setup's end: OK takes the printer's paper, orientation and
    // reach as the shared sheet paper's and fits the preview to it.
    void pageSetupDidEnd(const QPrinter &printer, int returnCode);
    // Fits the preview to the paper (at most 285 × 420 in its proportions,
    // centred in its pane, showing the whole paper) and refreshes it.
    bool shouldChangePrintInfo(const PrintInfoPtr &printInfo);
    // The toolbar's "Layout": layout editing in the preview on or off; the
    // window's contact editing is locked meanwhile and comes back as it was.
    void layoutButtonPressed();
    [[nodiscard]] bool isLayoutMode() const;
    void setPrintPanel(PrintPanel panel) { m_printPanel = std::move(panel); }
    [[nodiscard]] QAction *printAction() const { return m_printAction; }
    [[nodiscard]] QAction *layoutAction() const { return m_layoutAction; }

    // The print options sheet, made once, opened by the button given.
    void makeOptionSheet(QAbstractButton &styleSettingButton);
    [[nodiscard]] OptionSheetController *optionSheetController() const;
    // Opens the sheet window-modal on the current style and view type; any
    // end of it stores its options once more, announced only when the
    // preview has not followed them yet.
    void showStyleSettings();
    // The style of the item becomes the window's, stored and previewed.
    void printStyleSelected(const QAction *item);

private:
    void printRows(const QList<SubContactRecordPtr> &rows);

    WindowCommandHost &m_host;
    QPointer<HagakiViewController> m_preview;
    QAction *m_printAction = nullptr;
    QAction *m_layoutAction = nullptr;
    PrintPanel m_printPanel;
    // The window's editing before layout mode locked it.
    bool m_editStateBeforeLayout = false;
    bool m_editButtonEnabledBeforeLayout = true;
    QPointer<OptionSheetController> m_optionSheetController;
};
