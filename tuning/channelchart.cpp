#include "channelchart.h"

std::vector<ChartRow> channelChart(const NumberText &numbers)
{
    std::vector<ChartRow> chart;
    for (int code = 0; code < 1 << SwitchCount; ++code) {
        TuningRecord record;
        for (int k = 1; k <= SwitchCount; ++k)
            record.blnSw(k) = code >> (k - 1) & 1 ? True16 : False16;
        convertSwitchesToFreq(record);
        ChartRow &row = chart.emplace_back();
        row.frequency = numbers.format(record.dblFreq, 1); // a column: 83.0, not 83
        row.belowBand = isBelowBand(record.dblFreq);
        for (int k = 1; k <= SwitchCount; ++k)
            row.switches[k - 1] = record.blnSw(k) ? SwitchPosition::Off : SwitchPosition::On;
    }
    return chart;
}
