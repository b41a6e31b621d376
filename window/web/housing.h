#pragma once

#include <cstddef>
#include <cstdint>

// The housing's picture file, carried in the module as the desktop programs
// carry it in theirs: the program's own artwork, not an image of the folder.
extern const std::uint8_t HousingBitmap[];
extern const std::size_t HousingBitmapSize;
