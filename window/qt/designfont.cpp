#include "designfont.h"

#include <QStringList>

QFont designFont(const Design::Font &design)
{
    const QString family = QString::fromUtf8(design.family);
    static const bool substituted = [&] {
        QFont::insertSubstitutions(family,
                                   {QStringLiteral("Microsoft Sans Serif"),
                                    QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                    QStringLiteral("Arial"), QStringLiteral("Helvetica")});
        return true;
    }();
    Q_UNUSED(substituted);
    QFont font(family, design.points, design.bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}
