// The panes of a contact window's split view (the group outline above the
// postcard preview, the contact table, the contact detail pane), the two
// split buttons that show and hide the outer ones, and the edit lock.

#include "app/WindowController.h"

#include "app/MainViewDefaults.h"
#include "app/ViewController.h"
#include "detail/ContactInfoController.h"
#include "platform/UserDefaults.h"
#include "print/HagakiViewController.h"
#include "table/ContactsViewController.h"
#include "table/GroupViewController.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>
#include <QToolButton>
#include <algorithm>

namespace {

constexpr int splitButtonSide = 26;
// How strongly a split button's image shows while its pane is hidden.
constexpr qreal hiddenPaneOpacity = 0.4;

// Stands in for a pane until its controller is built.
QWidget *makePlaceholderPane(const QString &title, const QString &objectName)
{
    auto *pane = new QLabel(title);
    pane->setObjectName(objectName);
    pane->setAlignment(Qt::AlignCenter);
    pane->setMinimumWidth(120);
    return pane;
}

// The table's frame and vertical scroll bar, then its first `count` columns
// as they are now wide.
int widthOfFirstColumns(const QTableView &table, int count)
{
    int width = 2 * table.frameWidth() + table.verticalScrollBar()->sizeHint().width();
    const QHeaderView &header = *table.horizontalHeader();
    for (int visual = 0; visual < std::min(count, header.count()); ++visual)
        width += header.sectionSize(header.logicalIndex(visual));
    return width;
}

} // namespace

// Pane 0 holds the group outline above the postcard preview, pane 1 the
// contact table, pane 2 the contact's details.
void WindowController::buildPanes()
{
    m_groupPaneSplit = new QSplitter(Qt::Vertical);
    m_groupPaneSplit->setObjectName(QStringLiteral("groupPane"));
    m_groupViewController = new GroupViewController;
    m_groupPaneSplit->addWidget(m_groupViewController);
    m_hagakiViewController = new HagakiViewController(*m_userDefaults);
    m_groupPaneSplit->addWidget(m_hagakiViewController);
    m_groupPane = m_groupPaneSplit;
    m_contactsViewController = new ContactsViewController(m_userDefaults);
    m_contactsViewController->setViewSettings(m_viewSettings);
    m_contactsViewController->setObjectName(QStringLiteral("contactTablePane"));
    m_splitView->addWidget(m_groupPane);
    m_splitView->addWidget(m_contactsViewController);
    m_splitView->addWidget(makePlaceholderPane(tr("Detail"), QStringLiteral("detailPane")));
    m_splitView->setStretchFactor(1, 1);
    m_splitView->setChildrenCollapsible(false);
    // The check box and the name stay readable however the handles are
    // dragged: 52 + 120 points and the table's frame and scroll bar.
    m_contactsViewController->setMinimumWidth(widthOfFirstColumns(*m_contactsViewController->tableView(), 0)
        + ContactsViewController::senderColumnWidth + ContactsViewController::defaultColumnWidth);
}

// Pane 2 wants its widest, but not at the table's cost: the table keeps its
// first three columns where the window has room for them, and gives way
// only down to the minimum it was given; the pane takes what is left within
// its own bounds. Left to the split view, the pane comes up at 550 points
// and leaves the table 70 at the first-run width of 900.
void WindowController::fitContactInfoBesideTable()
{
    // Until the window is laid out there is no room to share.
    if (!m_splitView->isVisible())
        return;
    QWidget *table = m_splitView->widget(1);
    QWidget *pane = m_splitView->widget(2);
    int room = m_splitView->contentsRect().width() - m_splitView->handleWidth();
    if (!m_splitView->widget(0)->isHidden())
        room -= m_splitView->widget(0)->width() + m_splitView->handleWidth();
    const int wanted = std::max(widthOfFirstColumns(*m_contactsViewController->tableView(), 3), table->minimumWidth());
    const int paneWidth = std::clamp(std::min(room - wanted, pane->maximumWidth()), pane->minimumWidth(),
        std::max(room - table->minimumWidth(), pane->minimumWidth()));
    QList<int> sizes = m_splitView->sizes();
    sizes[1] = room - paneWidth;
    sizes[2] = paneWidth;
    m_splitView->setSizes(sizes);
}

bool WindowController::isGroupPaneCollapsed() const
{
    return m_splitView->widget(0)->isHidden();
}

bool WindowController::isContactInfoCollapsed() const
{
    return m_splitView->widget(2)->isHidden();
}

void WindowController::showContactInfo(bool show)
{
    QWidget *pane = m_splitView->widget(2);
    if (show && pane->isHidden()) {
        pane->show();
        fitContactInfoBesideTable();
        pane->setFocus();
    } else if (!show && !pane->isHidden()) {
        pane->hide();
        m_contactsViewController->makeFirstResponder();
    }
    m_mainViewController->setContactInfoVisible(show);
    setSplitButtonState(show, 1);
}

void WindowController::toggleContactInfo()
{
    showContactInfo(isContactInfoCollapsed());
}

void WindowController::showGroupView(bool show)
{
    QWidget *pane = m_splitView->widget(0);
    if (show && pane->isHidden()) {
        pane->show();
    } else if (!show && !pane->isHidden()) {
        pane->hide();
        m_contactsViewController->makeFirstResponder();
    }
    setSplitButtonState(show, 0);
}

void WindowController::toggleGroupView()
{
    const bool show = isGroupPaneCollapsed();
    showGroupView(show);
    m_userDefaults->setObject(show, MainViewDefaults::showGroupViewKey);
}

QImage WindowController::splitButtonImageWithSize(const QSize &size, const QColor &color, int side)
{
    const qreal w = size.width();
    const qreal h = size.height();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.setPen(QPen(color, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(w / 4, h / 4, w / 2, h / 2));
    const qreal x = side == 0 ? w / 4 : 7 * w / 12;
    painter.fillRect(QRectF(x, h / 4, w / 6, h / 2), color);
    return image;
}

QToolButton *WindowController::splitButton(int index) const
{
    return index == 0 || index == 1 ? m_splitButtons[index] : nullptr;
}

void WindowController::setSplitButtonState(bool state, int index)
{
    QToolButton *button = splitButton(index);
    if (!button)
        return;
    QColor color = QApplication::palette().color(QPalette::Highlight);
    if (!state)
        color.setAlphaF(hiddenPaneOpacity);
    const QImage image = splitButtonImageWithSize(QSize(splitButtonSide, splitButtonSide), color, index);
    button->setIcon(QIcon(QPixmap::fromImage(image)));
    button->setChecked(state);
}

void WindowController::initSplitButtons()
{
    const QStringList titles{tr("Groups"), tr("Contact Info")};
    for (int index = 0; index < 2; ++index) {
        auto *button = new QToolButton(this);
        button->setObjectName(index == 0 ? QStringLiteral("groupSplitButton") : QStringLiteral("infoSplitButton"));
        button->setCheckable(true);
        button->setToolTip(titles.at(index));
        button->setIconSize(QSize(splitButtonSide, splitButtonSide));
        // The pane decides the button's state, not the click.
        connect(button, &QToolButton::clicked, this, [this, index] {
            if (index == 0)
                toggleGroupView();
            else
                toggleContactInfo();
        });
        m_splitButtons[index] = button;
    }
    setSplitButtonState(false, 0);
    setSplitButtonState(m_mainViewController->contactInfoVisible(), 1);
}

void WindowController::editButtonClicked()
{
    m_mainViewController->setEditState(!m_mainViewController->editState());
    validateMenus();
}

// The contact detail pane: child 2 of the window's split view. Its width,
// 350 to 550, is set as the window appears, with the other panes'.

void WindowController::installContactInfoController()
{
    auto *pane = new ContactInfoController;
    pane->setUserDefaults(m_userDefaults);
    pane->setDelegate(m_mainViewController);
    delete m_splitView->replaceWidget(2, pane);
    m_mainViewController->setContactInfoController(pane);
}

// The group outline: above the postcard preview in pane 0, its delegate the
// window's controller, its drops taken from the window's own contact table.

void WindowController::installGroupViewController()
{
    GroupViewController *outline = m_groupViewController;
    outline->setObjectName(QStringLiteral("groupOutlinePane"));
    outline->setMinimumWidth(120);
    outline->setDelegate(m_mainViewController);
    outline->setContactsTableView(m_contactsViewController->tableView());
    outline->setSelectedFont(m_mainViewController->selectedFont());
    m_mainViewController->setGroupViewController(outline);
}
