#pragma once

#include "numbertext.h"
#include "settingsview.h"
#include "tuningrecord.h"

#include <array>
#include <string>
#include <vector>

// One channel of the raster as a printed chart gives it: the frequency in the
// user's notation and the switch positions that select it.
struct ChartRow {
    std::string frequency;
    bool belowBand = false;
    std::array<SwitchPosition, SwitchCount> switches{};
};

// Every channel, lowest first, through the conversion the window itself uses:
// a chart that cannot disagree with the switches.
std::vector<ChartRow> channelChart(const NumberText &numbers);
