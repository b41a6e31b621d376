#include "designfont.h"

#include <QStringList>

QFont designFont(const Design::Font &design)
{
    const QString family = QString::fromUtf8(design.family);
    static const bool substituted = [&] {
        QStringList substitutes;
        for (const char *face : Design::FontSubstitutes)
            substitutes << QString::fromUtf8(face);
        QFont::insertSubstitutions(family, substitutes);
        return true;
    }();
    Q_UNUSED(substituted);
    QFont font(family, design.points, design.bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}
