#include "interchange/widgets/ZipSheetController.h"

#include "interchange/widgets/ZipResultModel_p.h"
#include "platform/NotificationCenter.h"
#include "platform/widgets/OpeningFocus.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

ZipSheetController::ZipSheetController(QWidget *parent, std::shared_ptr<const PostalDatabase> database)
    : QDialog(parent)
    , ZipSearch(std::move(database))
    , m_model(new ZipResultModel(table(), this))
    , m_inputField(new QLineEdit(this))
    , m_tableView(new QTableView(this))
    , m_pasteButton(new QPushButton(tr("Paste"), this))
    , m_cancelButton(new QPushButton(tr("Cancel"), this))
{
    setWindowTitle(tr("ZIP"));
    setWindowModality(Qt::WindowModal);
    m_inputField->setPlaceholderText(tr("Input ZIP or Address here"));
    m_inputField->setClearButtonEnabled(true);
    m_tableView->setModel(m_model);
    m_tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tableView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tableView->verticalHeader()->hide();
    m_tableView->horizontalHeader()->setStretchLastSection(true);
    m_tableView->setColumnWidth(ZipResultModel::ZipColumn, 90);
    m_tableView->setColumnWidth(ZipResultModel::CompanyColumn, 140);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_inputField, 0, 0, 1, 3);
    layout->addWidget(m_tableView, 1, 0, 1, 3);
    layout->addWidget(m_cancelButton, 2, 1);
    layout->addWidget(m_pasteButton, 2, 2);
    layout->setColumnStretch(0, 1);
    resize(640, 400);

    connect(m_inputField, &QLineEdit::textChanged, this, &ZipSheetController::controlTextDidChange);
    connect(m_inputField, &QLineEdit::returnPressed, this, &ZipSheetController::inputFieldEntered);
    connect(m_tableView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &ZipSheetController::rowWasSelected);
    connect(m_pasteButton, &QPushButton::clicked, this, [this] { buttonPressed(m_pasteButton); });
    connect(m_cancelButton, &QPushButton::clicked, this, [this] { buttonPressed(m_cancelButton); });
    // Return in the field must not press Paste.
    m_pasteButton->setAutoDefault(false);
    m_cancelButton->setAutoDefault(false);
    setPasteEnabled(false);
    OpeningFocus::giveTo(this, m_inputField);
}

ZipSheetController::~ZipSheetController() = default;

void ZipSheetController::reloadResultView()
{
    m_model->reload();
}

bool ZipSheetController::setTargetString(const QString &query, qint32 mode)
{
    setPasteEnabled(false);
    setZipSearchMode(mode);
    const bool unchanged = m_inputField->text() == query;
    m_inputField->setText(query);
    // The same text again posts no change, yet the seed still searches.
    if (unchanged)
        controlTextDidChange(query);
    return true;
}

void ZipSheetController::controlTextDidChange(const QString &text)
{
    clearTable();
    if (text.isEmpty()) {
        reloadResultView();
        setPasteEnabled(false);
        return;
    }
    searchForQuery(text);
    // A single digit or "-" searches nothing and leaves the table as it was.
    reloadResultView();
    if (table().size() != 1)
        setPasteEnabled(false);
}

void ZipSheetController::inputFieldEntered()
{
    setPasteEnabled(false);
}

void ZipSheetController::rowWasSelected()
{
    if (zipSearchMode() != NoSearch && m_tableView->selectionModel()->hasSelection())
        setPasteEnabled(true);
}

void ZipSheetController::setPasteAllowed(bool allowed)
{
    m_pasteAllowed = allowed;
    if (!allowed)
        setPasteEnabled(false);
}

void ZipSheetController::setPasteEnabled(bool enabled)
{
    m_pasteButton->setEnabled(enabled && m_pasteAllowed);
}

std::optional<PostalRecord> ZipSheetController::queryResultwithMode(qint32 *mode) const
{
    if (mode)
        *mode = zipSearchMode();
    const QModelIndexList rows = m_tableView->selectionModel()->selectedRows();
    if (rows.isEmpty() || rows.first().row() >= table().size())
        return std::nullopt;
    return table().at(rows.first().row());
}

void ZipSheetController::buttonPressed(QObject *sender)
{
    if (sender == m_pasteButton) {
        const std::optional<PostalRecord> hit = queryResultwithMode(nullptr);
        if (!hit)
            return;
        NotificationCenter::defaultCenter().postNotification(zipSearchDoOKNotification, QVariant(hit->toVariantMap()));
        done(PasteCode);
    } else if (sender == m_cancelButton) {
        done(CancelCode);
    }
}
