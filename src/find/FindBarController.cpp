#include "find/FindBarController.h"

#include "editors/TextButton.h"
#include "find/FindBarDelegate.h"
#include "find/FindBarView.h"

#include <QComboBox>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>

namespace {

const char *const caseInsensitiveTitle = QT_TRANSLATE_NOOP("FindBarController", "Case Insensitive");
const char *const caseSensitiveTitle = QT_TRANSLATE_NOOP("FindBarController", "Case Sensitive");

} // namespace

FindBarController::FindBarController(QWidget *parent)
    : QObject(parent)
    , m_view(new FindBarView(parent))
    , m_opacity(new QGraphicsOpacityEffect(m_view))
{
    m_view->setObjectName(QStringLiteral("findBarView"));
    m_view->setGraphicsEffect(m_opacity);
    buildControls();
    m_view->hide();
    m_opacity->setOpacity(0.0);
}

FindBarController::~FindBarController()
{
    if (m_animation)
        m_animation->stop();
}

void FindBarController::buildControls()
{
    auto *layout = new QHBoxLayout(m_view);
    layout->setContentsMargins(8, 4, 8, 4);
    m_searchField = new QLineEdit(m_view);
    m_searchField->setObjectName(QStringLiteral("searchField"));
    m_searchField->setPlaceholderText(tr("Search"));
    m_searchField->setClearButtonEnabled(true);
    m_previousButton = TextButton::make(m_view, tr("Previous"), QStringLiteral("previousButton"));
    m_nextButton = TextButton::make(m_view, tr("Next"), QStringLiteral("nextButton"));
    m_replaceStringField = new QLineEdit(m_view);
    m_replaceStringField->setObjectName(QStringLiteral("replaceStringField"));
    m_replaceStringField->setPlaceholderText(tr("Replace"));
    m_replaceControl = new QWidget(m_view);
    auto *replaceLayout = new QHBoxLayout(m_replaceControl);
    replaceLayout->setContentsMargins(0, 0, 0, 0);
    replaceLayout->setSpacing(0);
    m_replaceButton = TextButton::make(m_replaceControl, tr("Replace"), QStringLiteral("replaceButton"));
    m_replaceAllButton = TextButton::make(m_replaceControl, tr("Replace All"), QStringLiteral("replaceAllButton"));
    replaceLayout->addWidget(m_replaceButton);
    replaceLayout->addWidget(m_replaceAllButton);
    m_replaceControl->setEnabled(false);
    m_optionPopup = new QComboBox(m_view);
    m_optionPopup->setObjectName(QStringLiteral("optionPopup"));
    m_optionPopup->addItem(tr(caseInsensitiveTitle), QString::fromLatin1(caseInsensitiveTitle));
    m_optionPopup->addItem(tr(caseSensitiveTitle), QString::fromLatin1(caseSensitiveTitle));
    m_doneButton = new QPushButton(tr("Done"), m_view);
    m_doneButton->setObjectName(QStringLiteral("doneButton"));
    m_doneButton->setAutoDefault(false);

    layout->addWidget(m_searchField, 2);
    layout->addWidget(m_previousButton);
    layout->addWidget(m_nextButton);
    layout->addSpacing(12);
    layout->addWidget(m_replaceStringField, 2);
    layout->addWidget(m_replaceControl);
    layout->addSpacing(12);
    layout->addWidget(m_optionPopup);
    layout->addWidget(m_doneButton);

    connect(m_searchField, &QLineEdit::returnPressed, this, &FindBarController::textDidEnter);
    connect(m_previousButton, &QToolButton::clicked, this, [this] { send(FindBarDelegate::Previous); });
    connect(m_nextButton, &QToolButton::clicked, this, [this] { send(FindBarDelegate::Next); });
    connect(m_replaceButton, &QToolButton::clicked, this, [this] { send(FindBarDelegate::Replace); });
    connect(m_replaceAllButton, &QToolButton::clicked, this, [this] { send(FindBarDelegate::ReplaceAll); });
    connect(m_optionPopup, &QComboBox::activated, this, &FindBarController::popupChanged);
    connect(m_doneButton, &QPushButton::clicked, this, &FindBarController::done);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), m_view);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &FindBarController::done);
}

void FindBarController::send(const QString &command)
{
    if (m_delegate)
        m_delegate->findBarButtonDidPress(command);
}

void FindBarController::textDidEnter()
{
    if (m_delegate)
        m_delegate->findStringDidChange(m_searchField->text());
}

void FindBarController::popupChanged(int index)
{
    setCaseInsensitive(m_optionPopup->itemData(index).toString() == QLatin1String(caseInsensitiveTitle));
    send(FindBarDelegate::OptionChanged);
}

// The bar starts hiding before the delegate hears of it, so that whatever
// the delegate asks of the bar finds it hiding.
void FindBarController::done()
{
    setVisible(false);
    send(FindBarDelegate::Done);
}

void FindBarController::setCaseInsensitive(bool caseInsensitive)
{
    m_caseInsensitive = caseInsensitive;
    m_optionPopup->setCurrentIndex(caseInsensitive ? 0 : 1);
}

void FindBarController::setEditState(bool editState)
{
    m_editState = editState;
    m_replaceControl->setEnabled(editState);
}

QString FindBarController::replaceString() const
{
    return m_replaceStringField->text();
}

void FindBarController::setSearchString(const QString &text)
{
    m_searchField->setText(text);
}

// The strip grows from no height to its own and fades in, or the reverse;
// the layout it sits in gives the panes below the room it leaves. A new
// request ends the running one where it stands.
void FindBarController::setVisible(bool visible, const std::function<void()> &completionHandler)
{
    m_visible = visible;
    if (m_animation) {
        m_animation->stop();
        delete m_animation;
    }
    const int fullHeight = m_view->sizeHint().height();
    if (m_view->isHidden()) {
        m_view->setMaximumHeight(0);
        m_view->show();
    }
    if (m_animationDuration <= 0) {
        finishAnimation(visible, completionHandler);
        return;
    }
    auto *group = new QParallelAnimationGroup(this);
    auto *height = new QPropertyAnimation(m_view, "maximumHeight", group);
    height->setDuration(m_animationDuration);
    height->setStartValue(std::min(m_view->height(), fullHeight));
    height->setEndValue(visible ? fullHeight : 0);
    auto *fade = new QPropertyAnimation(m_opacity, "opacity", group);
    fade->setDuration(m_animationDuration);
    fade->setStartValue(m_opacity->opacity());
    fade->setEndValue(visible ? 1.0 : 0.0);
    group->addAnimation(height);
    group->addAnimation(fade);
    m_animation = group;
    connect(group, &QParallelAnimationGroup::finished, this, [this, group, visible, completionHandler] {
        m_animation = nullptr;
        group->deleteLater();
        finishAnimation(visible, completionHandler);
    });
    group->start();
}

void FindBarController::finishAnimation(bool visible, const std::function<void()> &completionHandler)
{
    m_opacity->setOpacity(visible ? 1.0 : 0.0);
    m_view->setMaximumHeight(QWIDGETSIZE_MAX);
    if (visible) {
        m_view->show();
        m_searchField->setFocus();
    } else {
        m_view->hide();
    }
    if (completionHandler)
        completionHandler();
}
