#include "find/ReplaceAlertPanel.h"

#include "model/FieldVocabulary.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString allLabel = QStringLiteral("All");

} // namespace

QString ReplaceAlertPanel::addLabelAndTextTitle()
{
    return tr("Add Label and Text");
}
QString ReplaceAlertPanel::replaceLabelAndTextTitle()
{
    return tr("Replace Label and Text");
}
QString ReplaceAlertPanel::replaceTextTitle()
{
    return tr("Replace Text");
}
QString ReplaceAlertPanel::prependTextTitle()
{
    return tr("Prepend Text");
}
QString ReplaceAlertPanel::appendTextTitle()
{
    return tr("Append Text");
}

ReplaceAlertPanel::ReplaceAlertPanel(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ReplaceAlertPanel"));
    setWindowModality(Qt::WindowModal);
    setWindowTitle(tr("Replace"));

    m_message = new QLabel(this);
    m_message->setWordWrap(true);
    m_columnTitle = new QLabel(tr("Columns"), this);
    m_columnPopup = new QComboBox(this);
    m_labelPopup = new QComboBox(this);
    m_replaceTextField = new QLineEdit(this);
    m_replaceTextField->setMinimumWidth(260);

    auto *form = new QFormLayout;
    form->addRow(m_columnTitle, m_columnPopup);
    form->addRow(tr("Label"), m_labelPopup);
    form->addRow(tr("Text"), m_replaceTextField);

    auto *buttons = new QDialogButtonBox(this);
    m_cancelButton = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    m_okButton = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    m_okButton->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_message);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(m_cancelButton, &QPushButton::clicked, this, [this] { buttonPressed(m_cancelButton); });
    connect(m_okButton, &QPushButton::clicked, this, [this] { buttonPressed(m_okButton); });
    connect(m_labelPopup, &QComboBox::activated, this, [this] { popupSelected(); });
    connect(m_replaceTextField, &QLineEdit::textEdited, this, [this](const QString &text) { textFieldChanged(text); });
}

void ReplaceAlertPanel::updateUI()
{
    if (!m_labels.isEmpty())
        fillLabelPopup();
    if (!m_identifier.isEmpty()) {
        m_columnPopup->clear();
        m_columnPopup->addItem(FieldVocabulary::localizedIdentifierForKey(m_identifier), m_identifier);
    }
    showCommand();
    m_replaceTextField->setText(m_replaceString);
    // The keyboard starts in the one field typed into, its text selected so
    // that what is typed at once replaces it; the column and label pop-ups
    // come first in the tab order and would otherwise take it.
    m_replaceTextField->selectAll();
    m_replaceTextField->setFocus();
}

void ReplaceAlertPanel::fillLabelPopup()
{
    m_labelPopup->clear();
    for (const QString &label : std::as_const(m_labels)) {
        if (label != allLabel)
            m_labelPopup->addItem(label, label);
    }
}

void ReplaceAlertPanel::showCommand()
{
    struct Command {
        QString type;
        const char *message;
        QString button;
        bool labelled;
    };
    const Command commands[] = {
        {addLabelAndTextTitle(), QT_TR_NOOP("In order to add the label and text %1"), tr("Add"), true},
        {replaceLabelAndTextTitle(), QT_TR_NOOP("In order to replace the label and text %1"), tr("Replace"), true},
        {replaceTextTitle(), QT_TR_NOOP("In order to replace the text %1"), tr("Replace"), false},
        {prependTextTitle(), QT_TR_NOOP("In order to prepend the text %1"), tr("Prepend"), false},
        {appendTextTitle(), QT_TR_NOOP("In order to append the text %1"), tr("Append"), false},
    };
    for (const Command &command : commands) {
        if (command.type != m_type)
            continue;
        m_message->setText(tr(command.message).arg(m_identifier));
        m_okButton->setText(command.button);
        if (command.labelled) {
            m_labelPopup->setEnabled(true);
            if (m_type == replaceLabelAndTextTitle() && !m_label.isEmpty()) {
                const int index = m_labelPopup->findData(m_label);
                if (index >= 0)
                    m_labelPopup->setCurrentIndex(index);
            }
        } else {
            m_labelPopup->clear();
            m_labelPopup->setEnabled(false);
        }
        // The text goes before or after each cell's own text, so a prefill with
        // the clicked cell's text would double it on an untouched OK.
        if (m_type == prependTextTitle() || m_type == appendTextTitle())
            m_replaceString.clear();
        return;
    }
}

void ReplaceAlertPanel::buttonPressed(QPushButton *sender)
{
    if (sender != m_okButton) {
        done(0);
        return;
    }
    m_replaceString = m_replaceTextField->text();
    m_label = m_labelPopup->count() > 0 ? m_labelPopup->currentData().toString() : QString();
    done(1);
}

void ReplaceAlertPanel::popupSelected()
{
    m_label = m_labelPopup->currentData().toString();
}

void ReplaceAlertPanel::textFieldChanged(const QString &text)
{
    m_replaceString = text;
}
