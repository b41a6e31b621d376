#pragma once

#include "design.h"

#include <QFont>

// A font of the window's design, or the nearest face installed when the
// design's own is missing: metric-compatible faces first.
QFont designFont(const Design::Font &font);
