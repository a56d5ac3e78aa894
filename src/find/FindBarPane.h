#pragma once

#include <QString>

#include <functional>

class FindBarDelegate;

// What the window's controller asks of the find bar.
class FindBarPane {
public:
    virtual ~FindBarPane() = default;

    virtual void setDelegate(FindBarDelegate *delegate) = 0;
    // Shows or hides the bar, animated; the handler runs once the animation
    // has ended.
    virtual void setVisible(bool visible) = 0;
    virtual void setVisible(bool visible, const std::function<void()> &completionHandler) = 0;
    // Whether the bar is shown or showing: the state the last setVisible
    // asked for, never a frame of its animation.
    [[nodiscard]] virtual bool isVisible() const = 0;
    // The replace control is enabled only while editing is allowed.
    virtual void setEditState(bool editState) = 0;
    [[nodiscard]] virtual bool isCaseInsensitive() const = 0;
    [[nodiscard]] virtual QString replaceString() const = 0;
    // The text of the search field.
    virtual void setSearchString(const QString &text) = 0;
};
