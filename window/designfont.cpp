#include "designfont.h"

#include <QStringList>

namespace {

const QString DesignFamily = QStringLiteral("MS Sans Serif");

void installSubstitutes()
{
    static const bool installed = [] {
        QFont::insertSubstitutions(DesignFamily,
                                   {QStringLiteral("Microsoft Sans Serif"),
                                    QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                    QStringLiteral("Arial"), QStringLiteral("Helvetica")});
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace

QFont designFont(int pointSize, bool bold)
{
    installSubstitutes();
    QFont font(DesignFamily, pointSize, bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    font.setItalic(false);
    font.setUnderline(false);
    return font;
}
