#pragma once

#include "table/TextCell.h"

#include <QImage>

// The name cell: the contact's picture, then its name in the bold face.
class ImageAndTextCell : public TextCell {
public:
    void setImage(const QImage &image) { m_image = image; }
    [[nodiscard]] const QImage &image() const { return m_image; }

    void paint(QPainter *painter, const QRect &rect, const QColor &textColor, const QWidget *widget) const override;

private:
    QImage m_image;
};
