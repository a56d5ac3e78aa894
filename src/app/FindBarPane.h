#pragma once

// What the window's controller asks of the find bar.
class FindBarPane {
public:
    virtual ~FindBarPane() = default;

    virtual void setVisible(bool visible) = 0;
    [[nodiscard]] virtual bool isVisible() const = 0;
    // The replace control is enabled only while editing is allowed.
    virtual void setEditState(bool editState) = 0;
};
