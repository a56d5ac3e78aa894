#pragma once

class AlertPresenter;
class ProgressAlert;
class QWidget;
class UserDefaults;
class ViewController;

// What the commands a contact window owns (its files, printing, postal-code
// sheet, merge sheet…) ask of the window: the widget their sheets and alerts
// open over, the content controller whose operations change contacts, the
// window's services, its edited mark and its items' states. The window
// implements it, so no command needs the window's own class.
class WindowCommandHost {
public:
    virtual ~WindowCommandHost() = default;

    [[nodiscard]] virtual QWidget &hostWidget() = 0;
    [[nodiscard]] virtual ViewController *mainViewController() const = 0;
    [[nodiscard]] virtual UserDefaults &userDefaults() const = 0;
    [[nodiscard]] virtual AlertPresenter &alertPresenter() const = 0;
    // The window's one progress window, made when first asked.
    [[nodiscard]] virtual ProgressAlert *progressAlert() = 0;
    // The window holds changes not yet saved.
    virtual void markEdited() = 0;
    // Enables and checks every item of the window as it is now.
    virtual void validateMenus() = 0;
};
