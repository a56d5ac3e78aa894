#include "find/CustomLabelPanelController.h"

#include "platform/widgets/OpeningFocus.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

CustomLabelPanelController::CustomLabelPanelController(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CustomLabelPanelController"));
    setWindowTitle(tr("Custom Label"));
    setWindowModality(Qt::WindowModal);
    auto *layout = new QVBoxLayout(this);
    m_customLabelField = new QLineEdit(this);
    m_customLabelField->setObjectName(QStringLiteral("customLabelField"));
    m_customLabelField->installEventFilter(this);
    layout->addWidget(m_customLabelField);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_cancelButton = new QPushButton(tr("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_addButton = new QPushButton(tr("Add"), this);
    m_addButton->setObjectName(QStringLiteral("addButton"));
    for (QPushButton *button : {m_cancelButton, m_addButton}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, button] { buttonPressed(button); });
    }
    layout->addLayout(buttons);
    m_addButton->setEnabled(false);
    connect(m_customLabelField, &QLineEdit::editingFinished, this, &CustomLabelPanelController::textShouldEndEditing);
    OpeningFocus::giveTo(this, m_customLabelField);
}

void CustomLabelPanelController::textShouldEndEditing()
{
    m_addButton->setEnabled(true);
    m_addButton->setDefault(true);
    m_customLabel = m_customLabelField->text();
}

bool CustomLabelPanelController::eventFilter(QObject *object, QEvent *event)
{
    // Return and Tab end the editing; the Return that ends it does not also
    // press Add, which only the next Return does.
    if (object == m_customLabelField && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Tab)
            textShouldEndEditing();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !m_addButton->isDefault()) {
            textShouldEndEditing();
            return true;
        }
    }
    return QDialog::eventFilter(object, event);
}

void CustomLabelPanelController::buttonPressed(QPushButton *sender)
{
    if (sender == m_addButton) {
        m_customLabel = m_customLabelField->text();
        done(1);
    } else {
        done(0);
    }
}

void CustomLabelPanelController::done(int result)
{
    QDialog::done(result);
    // Ready for the next use: an empty field and Add disabled.
    const QSignalBlocker blocker(m_customLabelField);
    m_customLabelField->clear();
    m_addButton->setEnabled(false);
    m_addButton->setDefault(false);
}
