#include "designfont.h"

#include <QStringList>

QFont designFont(const Design::Font &design)
{
    const QString family = QString::fromUtf8(design.family);
    // Each family asked for stands in by the design's substitutes, once.
    if (QFont::substitutes(family).isEmpty()) {
        QStringList substitutes;
        for (const char *face : Design::FontSubstitutes)
            substitutes << QString::fromUtf8(face);
        QFont::insertSubstitutions(family, substitutes);
    }
    QFont font(family, design.points, design.bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}
