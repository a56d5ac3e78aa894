#include "app/ImportPanelController.h"

#include "app/ImportNameTableModel.h"
#include "detail/ContactInfoController.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include <algorithm>

ImportPanelController::ImportPanelController(QWidget *parent)
    : QDialog(parent)
    , m_model(new ImportNameTableModel(this))
    , m_importFilename(new QLabel(this))
    , m_nameTableView(new QTableView(this))
    , m_selectButton(new QPushButton(tr("Select"), this))
    , m_cancelButton(new QPushButton(tr("Cancel"), this))
    , m_contactInfoController(new ContactInfoController(this))
{
    setWindowTitle(tr("Import"));
    setWindowModality(Qt::WindowModal);
    m_nameTableView->setModel(m_model);
    m_nameTableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_nameTableView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_nameTableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_nameTableView->verticalHeader()->hide();
    m_nameTableView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_nameTableView->verticalHeader()->setDefaultSectionSize(int(m_rowHeight));
    m_nameTableView->horizontalHeader()->setStretchLastSection(true);
    m_nameTableView->setIconSize(QSize(ImportNameTableModel::iconSize, ImportNameTableModel::iconSize));
    m_nameTableView->setMinimumWidth(220);
    m_contactInfoController->setMinimumWidth(350);
    m_selectButton->setDefault(true);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_importFilename, 0, 0, 1, 2);
    layout->addWidget(m_nameTableView, 1, 0);
    layout->addWidget(m_contactInfoController, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_selectButton);
    layout->addLayout(buttons, 2, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    resize(720, 480);

    connect(m_selectButton, &QPushButton::clicked, this, [this] { buttonPressed(m_selectButton); });
    connect(m_cancelButton, &QPushButton::clicked, this, [this] { buttonPressed(m_cancelButton); });
    connect(m_nameTableView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &ImportPanelController::selectionDidChange);
}

ImportPanelController::~ImportPanelController() = default;

void ImportPanelController::setFilename(const QString &filename)
{
    m_filename = filename;
    m_importFilename->setText(filename);
}

const ContactTablePtr &ImportPanelController::nameTable() const
{
    return m_model->nameTable();
}

void ImportPanelController::setNameTable(const ContactTablePtr &nameTable)
{
    m_model->setNameTable(nameTable);
    m_importFilename->setText(m_filename);
    if (m_model->rowCount() > 0) {
        m_nameTableView->selectAll();
        m_nameTableView->setCurrentIndex(m_model->index(0, 0));
        m_nameTableView->selectionModel()->select(
            QItemSelection(m_model->index(0, 0), m_model->index(m_model->rowCount() - 1, 0)),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_nameTableView->scrollToTop();
    }
}

QList<int> ImportPanelController::selectedIndexes() const
{
    QList<int> rows;
    for (const QItemSelectionRange &range : m_nameTableView->selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.append(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

// The first selected contact is previewed; with none the last one stays.
void ImportPanelController::selectionDidChange()
{
    const QList<int> rows = selectedIndexes();
    if (rows.isEmpty())
        return;
    const ContactRecordPtr contact = m_model->nameTable()->at(rows.first());
    m_contactInfoController->setContact(contact);
    m_contactInfoController->setSelectedLabels({QStringLiteral("All")});
    m_contactInfoController->setEditState(false);
    m_contactInfoController->setFindString(QString());
    m_contactInfoController->setDelegate(nullptr);
    m_contactInfoController->updateTable();
}

void ImportPanelController::buttonPressed(QObject *sender)
{
    if (sender == m_cancelButton)
        done(CancelCode);
    else if (sender == m_selectButton)
        done(SelectCode);
}
