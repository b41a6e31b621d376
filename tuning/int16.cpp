#include "int16.h"

#include "runtimeerror.h"

#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr int Min16 = std::numeric_limits<std::int16_t>::min();
constexpr int Max16 = std::numeric_limits<std::int16_t>::max();

[[noreturn]] void overflow(const std::string &value)
{
    throw OverflowError("Overflow: " + value + " does not fit a 16-bit integer.");
}

std::int16_t narrow(int value)
{
    if (value < Min16 || value > Max16)
        overflow(std::to_string(value));
    return static_cast<std::int16_t>(value);
}

} // namespace

std::int16_t toInt16(double value)
{
    // Explicit rather than std::nearbyint, so the result never depends on the
    // floating-point environment someone else may have changed.
    if (!(value >= Min16 - 1.0 && value <= Max16 + 1.0))
        overflow(std::to_string(value));
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = below + 1.0;
    if (fraction < 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) == 0.0))
        rounded = below;
    return narrow(static_cast<int>(rounded));
}

std::int16_t add16(std::int16_t a, std::int16_t b)
{
    return narrow(int(a) + int(b));
}

std::int16_t sub16(std::int16_t a, std::int16_t b)
{
    return narrow(int(a) - int(b));
}

double checkFinite(double value)
{
    if (!std::isfinite(value))
        throw FloatingPointError("Floating-point error: the result is not a finite number.");
    return value;
}
