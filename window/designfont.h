#pragma once

#include <QFont>

// The window's design font, "MS Sans Serif", or the nearest face installed:
// metric-compatible faces first, then the default sans serif.
QFont designFont(int pointSize, bool bold = false);
