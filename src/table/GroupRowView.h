#pragma once

#include <QFont>
#include <QString>

class QPainter;
class QRect;
class QWidget;

// The table's last row, the footer with the group's total: the window's
// background, then the text.
class GroupRowView {
public:
    void setText(const QString &text) { m_text = text; }
    [[nodiscard]] const QString &text() const { return m_text; }
    void setFont(const QFont &font) { m_font = font; }

    void paint(QPainter *painter, const QRect &rect, const QWidget *widget) const;

private:
    QString m_text;
    QFont m_font;
};
