#include "editors/CustomLabelView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

CustomLabelView::CustomLabelView(QWidget *parent)
    : QWidget(parent)
    , m_customLabelField(new QLineEdit(this))
    , m_cancelButton(new QPushButton(tr("Cancel"), this))
    , m_addButton(new QPushButton(tr("Add"), this))
{
    setFocusPolicy(Qt::StrongFocus);
    auto *fieldRow = new QHBoxLayout;
    fieldRow->addWidget(new QLabel(tr("Custom Label:"), this));
    fieldRow->addWidget(m_customLabelField, 1);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(m_cancelButton);
    buttonRow->addWidget(m_addButton);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(fieldRow);
    layout->addLayout(buttonRow);
    hide();

    connect(m_customLabelField, &QLineEdit::editingFinished, m_addButton, [this] { m_addButton->setEnabled(true); });
    // Once the field's editing has ended, Return presses Add.
    connect(m_customLabelField, &QLineEdit::returnPressed, m_addButton, [this] {
        if (m_addButton->isEnabled())
            m_addButton->click();
    });
    for (QPushButton *button : {m_addButton, m_cancelButton}) {
        connect(button, &QPushButton::clicked, this, [this, button] {
            hide();
            Q_EMIT finished(button == m_addButton);
        });
    }
}

QString CustomLabelView::label() const
{
    return m_customLabelField->text().trimmed();
}

void CustomLabelView::open()
{
    m_customLabelField->clear();
    m_addButton->setEnabled(false);
    show();
    m_customLabelField->setFocus();
}

void CustomLabelView::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromHsvF(0, 0, 0.9, 0.9));
}
