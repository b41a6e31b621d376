#include "frequencyfield.h"

#include <QPainter>

FrequencyField::FrequencyField(QWidget *parent) : QLineEdit(parent)
{
    setFrame(false);
    setTextMargins(1, 1, 1, 1); // room for the border
    setAttribute(Qt::WA_MacShowFocusRect, false);
}

void FrequencyField::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
