#include "editors/SimpleInfoPanelController.h"

#include "editors/EditLockToggle.h"
#include "editors/RenmeiViewController.h"
#include "editors/SeparatorBox.h"
#include "editors/SimpleInfoTableModel.h"
#include "interchange/ZipSearch.h"
#include "model/MVPerson.h"
#include "platform/StoredValue.h"
#include "platform/UndoManager.h"
#include "platform/UserDefaults.h"
#include "platform/widgets/OpeningFocus.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QImageReader>
#include <QMenu>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Return and Tab in a value cell end its edit and move on to the next row;
// an empty cell shows its placeholder, greyed, and so does its editor.
class MovingCellDelegate : public QStyledItemDelegate {
public:
    MovingCellDelegate(QObject *parent, std::function<void()> moveOn)
        : QStyledItemDelegate(parent)
        , m_moveOn(std::move(moveOn))
    {
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto *field = qobject_cast<QLineEdit *>(editor))
            field->setPlaceholderText(index.data(SimpleInfoTableModel::PlaceholderRole).toString());
        return editor;
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const QString placeholder = index.data(SimpleInfoTableModel::PlaceholderRole).toString();
        if (!option->text.isEmpty() || placeholder.isEmpty())
            return;
        option->text = placeholder;
        option->palette.setColor(QPalette::Text, option->palette.color(QPalette::PlaceholderText));
        QColor onSelection = option->palette.color(QPalette::HighlightedText);
        onSelection.setAlphaF(0.6f);
        option->palette.setColor(QPalette::HighlightedText, onSelection);
    }

    bool eventFilter(QObject *object, QEvent *event) override
    {
        auto *editor = qobject_cast<QWidget *>(object);
        if (editor && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab) {
                Q_EMIT commitData(editor);
                Q_EMIT closeEditor(editor, NoHint);
                m_moveOn();
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    std::function<void()> m_moveOn;
};

// The sheet's copy of the contact, so that nothing reaches the contact shown
// before the opener applies the result.
ContactRecordPtr sheetContact(const PersonRecordPtr &contact)
{
    auto copy = std::make_shared<ContactRecord>();
    if (const ContactRecord *record = ContactRecord::from(contact.get()))
        *copy = *record;
    copy->person = contact->person->copy();
    // The joint names live beside the store and copy() leaves them out; the
    // sheet shows the contact's own, and Done hands them back unchanged.
    const PersonValue renmei = contact->person->valueForIdentifier(FieldId::Renmei);
    if (!std::holds_alternative<std::monostate>(renmei))
        copy->person->setValue(renmei, FieldId::Renmei);
    copy->uniqueId = contact->uniqueId;
    copy->labelIndex = contact->labelIndex;
    copy->groupNames = contact->groupNames;
    return copy;
}

ContactRecordPtr newSheetContact()
{
    MVPersonPtr person = MVPerson::init();
    NameRecord name;
    name.lastName = QStringLiteral("鈴木");
    name.showAsPerson = true;
    person->setValue(name, FieldId::Name);
    return ContactRecord::makeWithPerson(person);
}

constexpr int largestPhotoWidth = 512;

// A picture wider than the largest width is redrawn square at that size; the
// height is not looked at and the proportions are not kept.
QImage shownPhoto(const QImage &image)
{
    if (image.width() <= largestPhotoWidth)
        return image;
    return image.scaled(largestPhotoWidth, largestPhotoWidth, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QString chooseImageFile(QWidget *window)
{
    QStringList patterns;
    for (const QByteArray &suffix : QImageReader::supportedImageFormats())
        patterns.append(QStringLiteral("*.") + QString::fromLatin1(suffix));
    return QFileDialog::getOpenFileName(window, QString(), QString(),
        SimpleInfoPanelController::tr("Images (%1)").arg(patterns.join(QLatin1Char(' '))));
}

// The line height of the font, or 1.42 times its size when larger, plus the
// margin; never below the rows' 24 points.
int rowHeightFor(const QFont &font, int margin)
{
    const QFontMetricsF metrics(font);
    const int natural = int(std::ceil(metrics.ascent() + metrics.descent() + metrics.leading()));
    const int scaled = int(std::ceil(font.pointSizeF() * 1.42));
    return std::max(std::max(natural, scaled) + margin, 24);
}

const QString guestImage = QStringLiteral(":/UserGuest.png");
const QString companyImage = QStringLiteral(":/CompanySquare.png");

} // namespace

SimpleInfoPanelController::SimpleInfoPanelController(QWidget *parent)
    : QDialog(parent)
    , m_table(new SimpleInfoTableModel(this))
    , m_undoManager(new UndoManager(this))
    , m_chooseImageFile(chooseImageFile)
{
    setWindowModality(Qt::WindowModal);
    m_selectedFont = font();
    m_selectedFont.setPointSize(14);
    buildWindow();
    m_table->setEditHandler([this](const QString &key, const QString &text) { valueEdited(key, text); });
    // Until an opener hands its own font the sheet follows the settings.
    updateFontInTableView(UserDefaults::standardUserDefaults());
}

// Hiding the dialog as it goes commits a value still being typed, which must
// no longer reach the half-destroyed panel.
SimpleInfoPanelController::~SimpleInfoPanelController()
{
    m_table->setEditHandler({});
}

void SimpleInfoPanelController::buildWindow()
{
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    m_imagePopup = new QToolButton(this);
    m_imagePopup->setPopupMode(QToolButton::InstantPopup);
    m_imagePopup->setIconSize(QSize(48, 48));
    auto *menu = new QMenu(m_imagePopup);
    menu->addAction(tr("Add"), this, [this] { imagePopupButtonPressed(true); });
    menu->addAction(tr("Delete"), this, [this] { imagePopupButtonPressed(false); });
    m_imagePopup->setMenu(menu);
    top->addWidget(m_imagePopup);
    m_nameField = new QLineEdit(this);
    m_nameField->setReadOnly(true);
    m_nameField->setPlaceholderText(tr("Name"));
    m_editButton = new EditLockToggle(this);
    top->addWidget(m_nameField, 1);
    top->addWidget(m_editButton);
    layout->addLayout(top);
    m_redSeparator = m_editButton->addSeparatorTo(layout, this);
    m_tableView = new QTableView(this);
    m_tableView->setModel(m_table);
    m_tableView->setItemDelegate(new MovingCellDelegate(m_tableView, [this] { moveToNextRow(); }));
    m_tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tableView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tableView->verticalHeader()->hide();
    m_tableView->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tableView->horizontalHeader()->setStretchLastSection(true);
    m_tableView->setColumnWidth(SimpleInfoTableModel::TypeColumn, 120);
    layout->addWidget(m_tableView, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_cancelButton = new QPushButton(tr("Cancel"), this);
    m_doneButton = new QPushButton(tr("Done"), this);
    m_cancelButton->setAutoDefault(false);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_doneButton);
    layout->addLayout(buttons);
    connect(m_tableView, &QAbstractItemView::doubleClicked, this, &SimpleInfoPanelController::tableViewDoubleAction);
    connect(m_editButton, &QPushButton::clicked, this, [this] { setEditState(m_editButton->isChecked()); });
    connect(m_doneButton, &QPushButton::clicked, this, &SimpleInfoPanelController::pressDone);
    connect(m_cancelButton, &QPushButton::clicked, this, &SimpleInfoPanelController::reject);
    OpeningFocus::giveTo(this, m_tableView);
    resize(420, 400);
}

void SimpleInfoPanelController::setContextInfo(const SimpleInfoContextPtr &context, bool editable)
{
    m_context = context;
    m_dirty = false;
    // Each use starts with nothing to undo, so that an Undo never writes
    // another contact's values into this one.
    m_undoManager->removeAllActions();
    m_isNewContact = !context || !context->contact || !context->contact->person;
    m_table->setContact(m_isNewContact ? newSheetContact() : sheetContact(context->contact));
    m_doneButton->setText(m_isNewContact ? tr("Add") : tr("Change"));
    m_labelTableDict = context ? context->labelTableDict : QHash<QString, QStringList>();
    // A new address is at home, unless the window's addresses know no such label.
    const QStringList addressLabels = m_labelTableDict.value(FieldId::Address);
    const QString home = QStringLiteral("home");
    m_table->setNewAddressLabel(addressLabels.isEmpty() || addressLabels.contains(home) ? home : addressLabels.first());
    m_nameField->setText(m_table->contact()->person->compositeName());
    fitTypeColumn();
    m_thumbnail = QImage();
    m_imagePopup->setIcon(QIcon(guestImage));
    const bool enabled = !context || context->editEnabled;
    m_editButton->setEnabled(enabled);
    setEditState(enabled && editable);
}

void SimpleInfoPanelController::setSelectedFont(const QFont &font)
{
    m_selectedFont = font;
    m_table->setFont(font);
    m_table->setRowHeight(rowHeightFor(font, 0));
    m_table->reload();
    fitTypeColumn();
}

void SimpleInfoPanelController::fitTypeColumn()
{
    // The field names in a larger font would be cut short.
    const QFontMetrics metrics(m_selectedFont);
    int widest = 0;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const QString name = m_table->index(row, SimpleInfoTableModel::TypeColumn).data().toString();
        widest = std::max(widest, metrics.horizontalAdvance(name));
    }
    // Room for the icon and the cell's margins.
    const int icon = m_tableView->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, m_tableView);
    m_tableView->setColumnWidth(SimpleInfoTableModel::TypeColumn, std::max(120, widest + icon + 20));
}

void SimpleInfoPanelController::updateFontInTableView(const UserDefaults &defaults)
{
    const QString name = defaults.stringForKey(defaultFontNameKey);
    QFont font = QApplication::font();
    if (name.isEmpty() || name == systemFontName || !QFontDatabase::hasFamily(name)) {
        font.setPointSizeF(13);
    } else {
        const QVariant stored = defaults.objectForKey(defaultFontSizeKey);
        const double size = StoredValue::isNumber(stored) && std::isfinite(stored.toDouble()) ? stored.toDouble() : 0;
        font = QFont(name);
        font.setPointSizeF(std::max(size + 2, 7.0));
    }
    setSelectedFont(font);
    // Unlike an opener's font, the settings' one gets room above and below.
    m_table->setRowHeight(rowHeightFor(font, 4));
    m_table->reload();
}

void SimpleInfoPanelController::setPostalDatabase(std::shared_ptr<const PostalDatabase> database)
{
    m_postalDatabase = std::move(database);
    m_zipSearch.reset();
}

void SimpleInfoPanelController::imagePopupButtonPressed(bool add)
{
    QImage image;
    if (add) {
        const QString path = m_chooseImageFile(this);
        if (path.isEmpty() || !image.load(path))
            return;
        image = shownPhoto(image);
    }
    replacePhoto(image);
    m_editButton->setEnabled(false);
    m_doneButton->setEnabled(true);
}

void SimpleInfoPanelController::replacePhoto(const QImage &image)
{
    m_thumbnail = image;
    if (!image.isNull()) {
        m_imagePopup->setIcon(QIcon(QPixmap::fromImage(image)));
        return;
    }
    // With the picture gone the pull-down shows what stands for the contact.
    const ContactRecordPtr &contact = m_table->contact();
    const bool company = contact && contact->person && !contact->person->showAsPerson();
    m_imagePopup->setIcon(QIcon(company ? companyImage : guestImage));
}

QPushButton *SimpleInfoPanelController::editButton() const
{
    return m_editButton;
}

void SimpleInfoPanelController::setEditState(bool editing)
{
    m_editButton->showEditState(editing);
    // Locked, the sheet's separator is black rather than grey.
    if (!editing) {
        m_redSeparator->setBorderWidth(2);
        m_redSeparator->setBorderColor(Qt::black);
        m_redSeparator->setFillColor(Qt::black);
    }
    m_doneButton->setEnabled(!editing || m_dirty);
    m_cancelButton->setVisible(editing);
    m_table->setEditable(editing);
}
