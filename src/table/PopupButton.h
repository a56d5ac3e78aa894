#pragma once

#include <QFont>
#include <QSize>
#include <QString>
#include <QStringList>

class QPainter;
class QRect;
class QWidget;

// The label pop-up of a table cell: its items and the one selected, drawn as
// the style draws a combo box. It sizes to the title it shows.
class PopupButton {
public:
    void setFont(const QFont &font) { m_font = font; }
    [[nodiscard]] const QFont &font() const { return m_font; }
    void setHidden(bool hidden) { m_hidden = hidden; }
    [[nodiscard]] bool isHidden() const { return m_hidden; }
    // A disabled pop-up draws greyed.
    void setEnabled(bool enabled) { m_enabled = enabled; }
    [[nodiscard]] bool isEnabled() const { return m_enabled; }

    void removeAllItems();
    void addItemWithTitle(const QString &title) { m_items.append(title); }
    // -1 selects nothing.
    void selectItemAtIndex(qsizetype index);
    // False when no item has that title.
    bool selectItemWithTitle(const QString &title);
    [[nodiscard]] const QStringList &itemTitles() const { return m_items; }
    [[nodiscard]] qsizetype indexOfSelectedItem() const { return m_selected; }
    [[nodiscard]] QString titleOfSelectedItem() const;

    // Width: the title's width in the button's font plus 35; height: the
    // style's height of a combo box.
    [[nodiscard]] QSize intrinsicContentSize(const QWidget *widget) const;
    void paint(QPainter *painter, const QRect &rect, const QWidget *widget) const;

private:
    QFont m_font;
    bool m_hidden = true;
    bool m_enabled = true;
    QStringList m_items;
    qsizetype m_selected = -1;
};
