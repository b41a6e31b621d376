#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <QVector>

// The white slots of the housing picture, found by looking at its pixels.
QVector<QRect> whiteSlots(const QImage &housing);

// Checks the switch block in a picture of the window's client area, drawn at
// a whole-number scale: every slot shows exactly the image of its switch's
// position for the given code, the rest of the housing is untouched and no
// white is left anywhere in it. Returns what is wrong, or an empty string.
QString checkSwitchBlock(const QImage &window, const QPoint &housingAt, int scale,
                         const QImage &housing, const QImage &on, const QImage &off, int code);
