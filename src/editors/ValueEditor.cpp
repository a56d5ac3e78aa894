#include "editors/ValueEditor.h"

#include "editors/OneLineField.h"
#include "editors/SeparatorBox.h"
#include "model/MVPerson.h"
#include "platform/widgets/Popover.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int imageSide = 40;
// The picture shown when the context names no person.
const QString guestImage = QStringLiteral(":/UserGuest.png");

} // namespace

ValueEditor::ValueEditor(QWidget *parent)
    : QWidget(parent)
{
    buildFrame();
    showFrameState(false);
}

ValueEditor::~ValueEditor() = default;

void ValueEditor::buildFrame()
{
    m_imageView = new QLabel(this);
    m_imageView->setFixedSize(imageSide, imageSide);
    m_imageView->setScaledContents(true);
    m_contactNameField = new QLineEdit(this);
    setFieldEditable(m_contactNameField, false);
    m_contactNameField->setFocusPolicy(Qt::NoFocus);
    QFont nameFont = m_contactNameField->font();
    nameFont.setBold(true);
    m_contactNameField->setFont(nameFont);
    m_editButton = new QPushButton(tr("Edit"), this);
    m_editButton->setCheckable(true);
    m_redSeparator = new SeparatorBox(this);
    m_redSeparator->setFixedHeight(4);
    m_cancelButton = new QPushButton(tr("Cancel"), this);
    m_doneButton = new QPushButton(tr("Done"), this);

    auto *header = new QHBoxLayout;
    header->addWidget(m_imageView);
    header->addWidget(m_contactNameField, 1);
    header->addWidget(m_editButton);
    m_bodyLayout = new QVBoxLayout;
    m_bodyLayout->setSpacing(4);
    auto *footer = new QHBoxLayout;
    footer->addStretch(1);
    footer->addWidget(m_cancelButton);
    footer->addWidget(m_doneButton);
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(8, 6, 8, 6);
    root->setSpacing(5);
    root->addLayout(header);
    root->addWidget(m_redSeparator);
    root->addLayout(m_bodyLayout, 1);
    root->addLayout(footer);

    connect(m_editButton, &QPushButton::clicked, this, [this](bool checked) { setEditState(checked); });
    connect(m_doneButton, &QPushButton::clicked, this, &ValueEditor::pressDone);
    connect(m_cancelButton, &QPushButton::clicked, this, [this] {
        if (m_contextInfo)
            m_contextInfo->dirty = false;
        closePopover();
        didFinish();
    });
    // Return clicks Done only while Done holds it; otherwise it reaches the
    // focused field, where it enters what was typed.
    m_returnShortcut = new QShortcut(QKeySequence(Qt::Key_Return), this);
    m_enterShortcut = new QShortcut(QKeySequence(Qt::Key_Enter), this);
    for (QShortcut *shortcut : {m_returnShortcut, m_enterShortcut}) {
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, m_doneButton, &QPushButton::click);
    }
    updateReturnShortcut();
}

void ValueEditor::setPopover(Popover *popover)
{
    m_popover = popover;
}

Popover *ValueEditor::popover() const
{
    return m_popover;
}

bool ValueEditor::isEditing() const
{
    return m_editButton->isChecked();
}

MVPerson *ValueEditor::person() const
{
    return m_contextInfo && m_contextInfo->contact ? m_contextInfo->contact->person.get() : nullptr;
}

void ValueEditor::setContextInfo(const PopoverContextInfoPtr &contextInfo, bool editable)
{
    m_contextInfo = contextInfo;
    // Every editor's fields exist by now; the street marks itself as a
    // field of lines.
    for (QLineEdit *field : findChildren<QLineEdit *>())
        OneLineField::keep(field);
    MVPerson *shown = person();
    const QString name = shown ? shown->compositeName() : QString();
    m_contactNameField->setText(name.isEmpty() ? tr("No name") : name);
    m_contactNameField->setCursorPosition(0);
    m_imageView->setPixmap(QPixmap::fromImage(shown ? shown->thumbnail() : QImage(guestImage)));
    fillControls(shown, editable);
    const bool mayEdit = shown && (contextInfo->editEnabled || !readsEditEnabled());
    m_editButton->setEnabled(true);
    setEditState(mayEdit && editable);
    m_editButton->setEnabled(mayEdit);
    contextInfoDidLoad();
    // A row an editor adds for a start is not the user's.
    m_userChanged = false;
}

void ValueEditor::setEditState(bool editing)
{
    showFrameState(editing);
    m_doneTakesReturn = doneTakesReturnAtToggle();
    setDoneEnabled(doneEnabledAtToggle(editing));
    setControlsEditing(editing);
}

QString ValueEditor::doneTitle(bool editing) const
{
    return editing ? tr("Change") : tr("Done");
}

void ValueEditor::showFrameState(bool editing)
{
    m_editButton->setChecked(editing);
    m_editButton->setText(editing ? tr("Lock") : tr("Edit"));
    m_doneButton->setText(doneTitle(editing));
    if (togglesCancel())
        m_cancelButton->setVisible(editing);
    if (editing) {
        m_redSeparator->setBorderWidth(2);
        m_redSeparator->setBorderColor(Qt::red);
        m_redSeparator->setFillColor(Qt::red);
    } else {
        m_redSeparator->setBorderColor(Qt::gray);
        m_redSeparator->setFillColor(Qt::gray);
    }
}

void ValueEditor::pressDone()
{
    if (isEditing() && m_contextInfo && !writeResult())
        return;
    closePopover();
    didFinish();
}

bool ValueEditor::finish(EditorEnding ending)
{
    const bool writes = ending == EditorEnding::Done && isEditing() && m_contextInfo;
    if (writes)
        enterPendingInput();
    if (writes && m_userChanged) {
        if (!writeResult())
            return false;
    } else if (m_contextInfo) {
        m_contextInfo->dirty = false;
    }
    closePopover();
    didFinish();
    return true;
}

void ValueEditor::closePopover()
{
    if (m_popover)
        m_popover->close();
}

void ValueEditor::setFieldEditable(QLineEdit *field, bool editable)
{
    field->setReadOnly(!editable);
    field->setFrame(editable);
    QPalette palette = field->palette();
    palette.setBrush(QPalette::Base, editable ? QApplication::palette().base() : QBrush(Qt::transparent));
    field->setPalette(palette);
}

void ValueEditor::setUpTable(QTableView *view, QAbstractItemModel *model, QAbstractItemDelegate *delegate)
{
    view->setModel(model);
    view->setItemDelegate(delegate);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(tableRowHeight);
    view->horizontalHeader()->setStretchLastSection(true);
}

int ValueEditor::selectedTableRow(const QTableView *view)
{
    const QItemSelectionModel *selection = view->selectionModel();
    const QModelIndex current = selection->currentIndex();
    if (current.isValid() && selection->isRowSelected(current.row()))
        return current.row();
    const QModelIndexList rows = selection->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ValueEditor::selectTableRow(QTableView *view, int row)
{
    if (row < 0 || row >= view->model()->rowCount()) {
        view->clearSelection();
        return;
    }
    view->selectionModel()->setCurrentIndex(
        view->model()->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

QPushButton *ValueEditor::makeTableButton(bool add)
{
    auto *button = new QPushButton(add ? QStringLiteral("+") : QStringLiteral("\u2212"), this);
    button->setFixedWidth(28);
    return button;
}

void ValueEditor::writeRows(const LabeledValueList &rows)
{
    LabeledValueList result;
    for (const LabeledValueRecordPtr &row : rows)
        result.append(std::make_shared<LabeledValueRecord>(*row));
    m_contextInfo->value = result;
    m_contextInfo->dirty = true;
}

void ValueEditor::userDidChange()
{
    m_userChanged = true;
    setDoneEnabled(true);
}

void ValueEditor::setDoneEnabled(bool enabled)
{
    m_doneButton->setEnabled(enabled);
    updateReturnShortcut();
}

void ValueEditor::setDoneTakesReturn(bool takesReturn)
{
    m_doneTakesReturn = takesReturn;
    updateReturnShortcut();
}

void ValueEditor::updateReturnShortcut()
{
    const bool active = m_doneTakesReturn && m_doneButton->isEnabled();
    m_returnShortcut->setEnabled(active);
    m_enterShortcut->setEnabled(active);
}
