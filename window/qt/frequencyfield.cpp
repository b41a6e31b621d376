#include "frequencyfield.h"

#include "design.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

FrequencyField::FrequencyField(QWidget *parent) : QLineEdit(parent)
{
    setFrame(false);
    setTextMargins(1, 1, 1, 1); // room for the border
    setAttribute(Qt::WA_MacShowFocusRect, false);
}

void FrequencyField::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    // The border is laid in whole device pixels, equally wide on all four
    // sides: a one-pixel pen would land unevenly at 1.5 or 2 times scale.
    const qreal ratio = devicePixelRatioF();
    const int border = borderWidth(qRound(ratio * 96));
    const int width = int(std::ceil(this->width() * ratio));
    const int height = int(std::ceil(this->height() * ratio));
    QPainter painter(this);
    painter.scale(1 / ratio, 1 / ratio);
    const QColor colour = palette().color(QPalette::WindowText);
    painter.fillRect(0, 0, width, border, colour);
    painter.fillRect(0, height - border, width, border, colour);
    painter.fillRect(0, 0, border, height, colour);
    painter.fillRect(width - border, 0, border, height, colour);
}
