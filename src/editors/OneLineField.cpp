#include "editors/OneLineField.h"

#include <QLineEdit>
#include <QRegularExpression>

namespace {

constexpr const char *linesProperty = "takesLines";
constexpr const char *keptProperty = "keptOnOneLine";

} // namespace

QString OneLineField::flattened(QString text)
{
    static const QRegularExpression lineBreaks(QStringLiteral("\\r\\n|[\\r\\n\\x{2028}\\x{2029}]"));
    return text.replace(lineBreaks, QStringLiteral(" "));
}

// textEdited comes of the user's typing and pasting only, never of
// setText, so that a value read in with lines is shown as it is (a validator
// would flatten it too). The editor's own handlers, connected earlier, have
// seen the text with its breaks: they are told the flattened text again.
void OneLineField::keep(QLineEdit *field)
{
    if (!field || field->property(linesProperty).toBool() || field->property(keptProperty).toBool())
        return;
    field->setProperty(keptProperty, true);
    QObject::connect(field, &QLineEdit::textEdited, field, [field](const QString &text) {
        const QString flat = flattened(text);
        if (flat == text)
            return;
        const qsizetype cursor = flattened(text.left(field->cursorPosition())).size();
        field->setText(flat);
        field->setCursorPosition(int(cursor));
        Q_EMIT field->textEdited(flat);
    });
}

void OneLineField::allowLines(QLineEdit *field)
{
    if (field)
        field->setProperty(linesProperty, true);
}
