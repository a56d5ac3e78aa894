#pragma once

#include "find/FindBarPane.h"

#include <QObject>
#include <QPointer>

class FindBarDelegate;
class FindBarView;
class QComboBox;
class QGraphicsOpacityEffect;
class QLineEdit;
class QParallelAnimationGroup;
class QPushButton;
class QToolButton;
class QWidget;

// The find bar of a contact window: a search field, Previous and Next, a
// replacement field with Replace and Replace All (enabled while editing),
// the case option and Done. It searches nothing itself: each control's
// action becomes one call on its delegate. Showing and hiding animate the
// strip's height and opacity, so the panes below it move with it.
class FindBarController : public QObject, public FindBarPane {
    Q_OBJECT

public:
    static constexpr int defaultAnimationDuration = 1000;

    explicit FindBarController(QWidget *parent = nullptr);
    ~FindBarController() override;

    // The strip, to be put above the view that holds the window's panes.
    [[nodiscard]] FindBarView *view() const { return m_view; }

    void setDelegate(FindBarDelegate *delegate) override { m_delegate = delegate; }
    void setVisible(bool visible) override { setVisible(visible, {}); }
    void setVisible(bool visible, const std::function<void()> &completionHandler) override;
    [[nodiscard]] bool isVisible() const override { return m_visible; }
    void setEditState(bool editState) override;
    [[nodiscard]] bool editState() const { return m_editState; }
    [[nodiscard]] bool isCaseInsensitive() const override { return m_caseInsensitive; }
    void setCaseInsensitive(bool caseInsensitive);
    [[nodiscard]] QString replaceString() const override;
    void setSearchString(const QString &text) override;
    // In milliseconds; 0 shows and hides at once.
    void setAnimationDuration(int duration) { m_animationDuration = duration; }

    [[nodiscard]] QLineEdit *searchField() const { return m_searchField; }
    [[nodiscard]] QLineEdit *replaceStringField() const { return m_replaceStringField; }
    [[nodiscard]] QToolButton *previousButton() const { return m_previousButton; }
    [[nodiscard]] QToolButton *nextButton() const { return m_nextButton; }
    [[nodiscard]] QToolButton *replaceButton() const { return m_replaceButton; }
    [[nodiscard]] QToolButton *replaceAllButton() const { return m_replaceAllButton; }
    [[nodiscard]] QComboBox *optionPopup() const { return m_optionPopup; }
    [[nodiscard]] QPushButton *doneButton() const { return m_doneButton; }

private:
    void buildControls();
    void send(const QString &command);
    void textDidEnter();
    void popupChanged(int index);
    void done();
    void finishAnimation(bool visible, const std::function<void()> &completionHandler);

    FindBarView *m_view = nullptr;
    QGraphicsOpacityEffect *m_opacity = nullptr;
    QPointer<QParallelAnimationGroup> m_animation;
    FindBarDelegate *m_delegate = nullptr;
    QLineEdit *m_searchField = nullptr;
    QLineEdit *m_replaceStringField = nullptr;
    QToolButton *m_previousButton = nullptr;
    QToolButton *m_nextButton = nullptr;
    QWidget *m_replaceControl = nullptr;
    QToolButton *m_replaceButton = nullptr;
    QToolButton *m_replaceAllButton = nullptr;
    QComboBox *m_optionPopup = nullptr;
    QPushButton *m_doneButton = nullptr;
    int m_animationDuration = defaultAnimationDuration;
    bool m_visible = false;
    bool m_caseInsensitive = true;
    bool m_editState = false;
};
