#include "switchblock.h"

QVector<QRect> whiteSlots(const QImage &housing)
{
    QVector<QRect> slotRects;
    const QRgb white = qRgb(255, 255, 255);
    for (int y = 0; y < housing.height(); ++y) {
        for (int x = 0; x < housing.width(); ++x) {
            if (housing.pixel(x, y) != white)
                continue;
            bool known = false;
            for (const QRect &slot : slotRects)
                known = known || slot.contains(x, y);
            if (known)
                continue;
            int right = x;
            while (right + 1 < housing.width() && housing.pixel(right + 1, y) == white)
                ++right;
            int bottom = y;
            while (bottom + 1 < housing.height() && housing.pixel(x, bottom + 1) == white)
                ++bottom;
            slotRects << QRect(QPoint(x, y), QPoint(right, bottom));
        }
    }
    return slotRects;
}

QString checkSwitchBlock(const QImage &window, const QPoint &housingAt, int scale,
                         const QImage &housing, const QImage &on, const QImage &off, int code)
{
    const QVector<QRect> slotRects = whiteSlots(housing);
    if (slotRects.size() != 8)
        return QStringLiteral("the housing has %1 white slotRects").arg(slotRects.size());
    for (int y = 0; y < housing.height(); ++y) {
        for (int x = 0; x < housing.width(); ++x) {
            QRgb expected = housing.pixel(x, y);
            int switchNumber = 0;
            for (int k = 1; k <= 8; ++k) {
                if (slotRects[k - 1].contains(x, y)) {
                    const QImage &lever = (code >> (k - 1)) & 1 ? off : on;
                    expected = lever.pixel(x - slotRects[k - 1].x(), y - slotRects[k - 1].y());
                    switchNumber = k;
                }
            }
            for (int dy = 0; dy < scale; ++dy) {
                for (int dx = 0; dx < scale; ++dx) {
                    const QPoint at((housingAt.x() + x) * scale + dx,
                                    (housingAt.y() + y) * scale + dy);
                    const QRgb actual = window.pixel(at) | 0xff000000;
                    if (actual == qRgb(255, 255, 255))
                        return QStringLiteral("white shows at housing pixel %1,%2").arg(x).arg(y);
                    if (actual != (expected | 0xff000000))
                        return QStringLiteral("housing pixel %1,%2 (switch %3) is %4, not %5")
                            .arg(x)
                            .arg(y)
                            .arg(switchNumber)
                            .arg(actual, 8, 16, QChar(u'0'))
                            .arg(expected, 8, 16, QChar(u'0'));
                }
            }
        }
    }
    return {};
}
