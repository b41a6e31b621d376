#include "systemcolour.h"

#include "design.h"

QColor toQColor(std::uint32_t colour, const QPalette &palette)
{
    switch (colour) {
    case Design::WindowBackground:
        return palette.color(QPalette::Base);
    case Design::WindowText:
        return palette.color(QPalette::Text);
    case Design::ActiveBorder: {
        // No palette role for a window border: a light grey set off from the
        // dialog face, the way the classic desktop schemes draw it.
        const QColor face = palette.color(QPalette::Window);
        const QColor midlight = palette.color(QPalette::Midlight);
        return midlight != face ? midlight : face.darker(112);
    }
    case Design::ButtonFace:
        return palette.color(QPalette::Window);
    case Design::ButtonText:
        return palette.color(QPalette::ButtonText);
    }
    return QColor(int(colour & 0xff), int((colour >> 8) & 0xff), int((colour >> 16) & 0xff));
}
