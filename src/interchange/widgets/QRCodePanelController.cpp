#include "interchange/widgets/QRCodePanelController.h"

#include "interchange/QRCodeImage.h"
#include "interchange/QRCodePayload.h"
#include "model/ContactIdentifier.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString typeTitle(const QString &type)
{
    if (type == FieldId::Phone)
        return QRCodePanelController::tr("Phone");
    if (type == FieldId::Email)
        return QRCodePanelController::tr("Email");
    if (type == FieldId::Address)
        return QRCodePanelController::tr("Address");
    if (type == FieldId::URL)
        return QRCodePanelController::tr("URL");
    if (type == FieldId::Company)
        return QRCodePanelController::tr("Company");
    if (type == FieldId::Department)
        return QRCodePanelController::tr("Department");
    return QRCodePanelController::tr("Job Title");
}

// A labeled value reads "label: value"; company, department and job title
// show the text alone.
QString valueTitle(const QRFieldRow &row)
{
    if (row.type == FieldId::Company || row.type == FieldId::Department || row.type == FieldId::JobTitle)
        return row.value;
    return row.value.isEmpty() ? QString() : row.label + QStringLiteral(": ") + row.value;
}

QTableWidgetItem *itemAt(QTableWidget *table, int row, int column)
{
    QTableWidgetItem *item = table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        table->setItem(row, column, item);
    }
    return item;
}

} // namespace

QRCodePanelController::QRCodePanelController(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("QRCodePanelController"));
    setWindowTitle(tr("QR Code"));
    buildLayout();
    auto *copyAction = new QAction(this);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copyAction, &QAction::triggered, this, &QRCodePanelController::copyCommand);
    addAction(copyAction);
}

QRCodePanelController::~QRCodePanelController() = default;

void QRCodePanelController::buildLayout()
{
    m_formatPopup = new QComboBox(this);
    m_formatPopup->addItems(QRCodePayload::formats());
    m_imageView = new QLabel(this);
    m_imageView->setAlignment(Qt::AlignCenter);
    m_imageView->setMinimumSize(300, 300);
    m_imageView->setAutoFillBackground(true);
    QPalette white = m_imageView->palette();
    white.setColor(QPalette::Window, Qt::white);
    m_imageView->setPalette(white);
    m_textView = new QPlainTextEdit(this);
    m_textView->setReadOnly(true);
    m_tableView = new QTableWidget(0, 2, this);
    m_tableView->setHorizontalHeaderLabels({tr("Type"), tr("Value")});
    m_tableView->verticalHeader()->hide();
    m_tableView->horizontalHeader()->setStretchLastSection(true);
    m_tableView->setSelectionMode(QAbstractItemView::NoSelection);
    m_fooButton = new QPushButton(tr("Copy"), this);
    m_closeButton = new QPushButton(tr("Close"), this);
    m_fooButton->setAutoDefault(false);
    m_closeButton->setAutoDefault(false);

    auto *formatRow = new QHBoxLayout;
    formatRow->addWidget(new QLabel(tr("Format:"), this));
    formatRow->addWidget(m_formatPopup);
    formatRow->addStretch();
    auto *codeRow = new QHBoxLayout;
    codeRow->addWidget(m_imageView);
    codeRow->addWidget(m_textView, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_fooButton);
    buttons->addWidget(m_closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(formatRow);
    layout->addLayout(codeRow);
    layout->addWidget(m_tableView, 1);
    layout->addLayout(buttons);
    resize(640, 640);

    connect(m_formatPopup, &QComboBox::currentIndexChanged, this, &QRCodePanelController::formatPopupSelected);
    connect(m_tableView, &QTableWidget::itemChanged, this, &QRCodePanelController::tableItemChanged);
    connect(m_fooButton, &QPushButton::clicked, this, &QRCodePanelController::copy);
    connect(m_closeButton, &QPushButton::clicked, this, &QRCodePanelController::closePanel);
}

void QRCodePanelController::setContact(const ContactRecordPtr &contact)
{
    m_textView->clear();
    m_contact = contact;
    m_table = contact && contact->person ? QRCodePayload::fieldTable(*contact->person) : QList<QRFieldRow>();
    formatPopupSelected();
}

void QRCodePanelController::formatPopupSelected()
{
    QString payload;
    if (m_contact && m_contact->person)
        payload = QRCodePayload::payload(m_formatPopup->currentText(), *m_contact->person, m_table);
    m_textView->setPlainText(payload);
    m_image = QRCodeImage::createQRCodeFromString(payload);
    // One pixel per module pixel: the picture is never scaled or smoothed.
    m_imageView->setPixmap(m_image.isNull() ? QPixmap() : QPixmap::fromImage(m_image));
    m_fooButton->setEnabled(!m_image.isNull());
    reloadTable();
}

void QRCodePanelController::reloadTable()
{
    m_reloading = true;
    m_tableView->setRowCount(int(m_table.size()));
    for (int row = 0; row < m_table.size(); ++row)
        fillRow(row);
    m_reloading = false;
}

void QRCodePanelController::fillRow(int row)
{
    const QRFieldRow &field = m_table.at(row);
    QTableWidgetItem *type = itemAt(m_tableView, row, TypeColumn);
    type->setText(typeTitle(field.type));
    type->setFlags(Qt::ItemIsEnabled);
    QTableWidgetItem *value = itemAt(m_tableView, row, ValueColumn);
    value->setText(valueTitle(field));
    value->setCheckState(field.selected ? Qt::Checked : Qt::Unchecked);
    const bool enabled = QRCodePayload::isEnabled(m_formatPopup->currentText(), field.type);
    value->setFlags(enabled ? Qt::ItemIsUserCheckable | Qt::ItemIsEnabled : Qt::ItemIsUserCheckable);
    // Several lines of an address get the room they need.
    const qsizetype lines = field.value.count(u'\n') + 1;
    m_tableView->setRowHeight(row, int(lines >= 2 ? double(lines) * (m_rowHeight - 2.0) : m_rowHeight));
}

void QRCodePanelController::tableItemChanged(QTableWidgetItem *item)
{
    if (m_reloading || item->column() != ValueColumn)
        return;
    setRowSelected(item->row(), item->checkState() == Qt::Checked);
}

void QRCodePanelController::setRowSelected(int row, bool selected)
{
    if (row < 0 || row >= m_table.size())
        return;
    m_table[row].selected = selected;
    formatPopupSelected();
}

void QRCodePanelController::copy()
{
    if (m_image.isNull())
        return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!m_image.save(&buffer, "PNG")) {
        qWarning("%s: ERROR can't write the code as PNG", Q_FUNC_INFO);
        return;
    }
    auto *mime = new QMimeData;
    mime->setData(QStringLiteral("image/png"), png);
    mime->setImageData(m_image);
    QGuiApplication::clipboard()->setMimeData(mime);
}

void QRCodePanelController::copyCommand()
{
    if (m_textView->textCursor().hasSelection())
        m_textView->copy();
    else
        copy();
}

void QRCodePanelController::closePanel()
{
    done(1);
    m_textView->clear();
}
