#include "print/FrameFontPanel.h"

#include "platform/widgets/DialogAnswer.h"
#include "platform/widgets/FontResolver.h"

#include <QFontDialog>
#include <QLineEdit>
#include <QSpinBox>

void FrameFontPanel::open(QPointer<QFontDialog> &panel, QWidget *parent, const QLineEdit *name, const QSpinBox *size,
    const std::function<void(const QFont &)> &chosen)
{
    if (panel)
        panel->close();
    panel = new QFontDialog(FontResolver::font(name->text(), size->value()), parent);
    panel->setObjectName(QStringLiteral("fontPanel"));
    panel->setAttribute(Qt::WA_DeleteOnClose);
    panel->setWindowModality(Qt::WindowModal);
    DialogAnswer::deliverAfterDone(panel, parent, [dialog = panel.data(), chosen](int result) -> DialogAnswer::Answer {
        if (result != QDialog::Accepted)
            return {};
        return [chosen, font = dialog->selectedFont()] { chosen(font); };
    });
    panel->open();
}

void FrameFontPanel::showFont(const QFont &font, QLineEdit *name, QSpinBox *size)
{
    name->setText(FontResolver::faceName(font));
    const int points = static_cast<int>(font.pointSizeF());
    if (points >= size->minimum())
        size->setValue(std::min(points, size->maximum()));
}
