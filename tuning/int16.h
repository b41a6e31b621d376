#pragma once

#include <cstdint>

// Arithmetic of the switch code: signed 16-bit, and every step that leaves
// the range raises OverflowError instead of wrapping.

// Rounds to the nearest integer, an exact half to the even neighbour.
// Throws OverflowError outside -32768..32767 and for NaN.
std::int16_t toInt16(double value);

std::int16_t add16(std::int16_t a, std::int16_t b);
std::int16_t sub16(std::int16_t a, std::int16_t b);

// Passes a finite value through; throws FloatingPointError otherwise.
double checkFinite(double value);
