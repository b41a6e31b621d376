#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

// Colours as the window's design gives them: 0x00BBGGRR, or a system colour
// as 0x80000000 plus its index.
namespace SystemColour {

inline constexpr std::uint32_t WindowBackground = 0x80000005;
inline constexpr std::uint32_t WindowText = 0x80000008;
inline constexpr std::uint32_t ActiveBorder = 0x8000000A;
inline constexpr std::uint32_t ButtonFace = 0x8000000F;
inline constexpr std::uint32_t ButtonText = 0x80000012;

// System colours come from the palette role with the same purpose.
QColor toQColor(std::uint32_t colour, const QPalette &palette);

} // namespace SystemColour
