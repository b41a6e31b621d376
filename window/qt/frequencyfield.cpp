#include "frequencyfield.h"

#include "design.h"
#include "devicescale.h"

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
    // The border lies on the device pixels the design gives through the one
    // mapping, equally wide on all four sides: painted in the window's device
    // pixels, not from this widget's own origin, which a fractional scale
    // puts between two pixels.
    const qreal ratio = devicePixelRatioF();
    const int dpi = qRound(ratio * 96);
    const int border = borderWidth(dpi);
    const Design::Control &design = Design::control("txtFreq");
    const int left = deviceOf(Design::windowLeft(design), dpi);
    const int top = deviceOf(Design::windowTop(design), dpi);
    const int right = deviceOf(Design::windowLeft(design) + Design::pixels(design.width), dpi);
    const int bottom = deviceOf(Design::windowTop(design) + Design::pixels(design.height), dpi);
    const QPoint origin = mapTo(window(), QPoint(0, 0));
    QTransform windowPixels;
    windowPixels.translate(-origin.x(), -origin.y());
    windowPixels.scale(1 / ratio, 1 / ratio);
    QPainter painter(this);
    painter.setWorldTransform(windowPixels);
    const QColor colour = palette().color(QPalette::WindowText);
    for (const DeviceRect &side : frameSides({left, top, right, bottom}, border))
        painter.fillRect(side.left, side.top, side.right - side.left, side.bottom - side.top,
                         colour);
}
