#include "systemcolour.h"

#include "design.h"

QColor toQColor(std::uint32_t colour, const QPalette &palette)
{
    switch (colour) {
    case Design::WindowBackground:
        return palette.color(QPalette::Base);
    case Design::WindowText:
        return palette.color(QPalette::Text);
    case Design::ActiveBorder: { // no palette role for a window border
        const QColor face = palette.color(QPalette::Window);
        const QColor text = palette.color(QPalette::ButtonText);
        const auto mix = [](int a, int b) {
            return (a * (100 - Design::BorderShadePercent) + b * Design::BorderShadePercent + 50) /
                   100;
        };
        return QColor(mix(face.red(), text.red()), mix(face.green(), text.green()),
                      mix(face.blue(), text.blue()));
    }
    case Design::ButtonFace:
        return palette.color(QPalette::Window);
    case Design::ButtonText:
        return palette.color(QPalette::ButtonText);
    }
    return QColor(int(colour & 0xff), int((colour >> 8) & 0xff), int((colour >> 16) & 0xff));
}
