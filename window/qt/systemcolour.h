#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

// A design colour (0x00BBGGRR, or a system colour by index) as Qt draws it:
// system colours come from the palette role with the same purpose.
QColor toQColor(std::uint32_t colour, const QPalette &palette);
