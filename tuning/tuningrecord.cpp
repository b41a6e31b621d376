#include "tuningrecord.h"

#include "int16.h"
#include "runtimeerror.h"

#include <cmath>

namespace {

constexpr double StepsPerMHz = 10.0;
constexpr double TopInSteps = 1080.0;

constexpr Boolean16 TuningRecord::*Switches[SwitchCount] = {
    &TuningRecord::blnSw1, &TuningRecord::blnSw2, &TuningRecord::blnSw3, &TuningRecord::blnSw4,
    &TuningRecord::blnSw5, &TuningRecord::blnSw6, &TuningRecord::blnSw7, &TuningRecord::blnSw8,
};

Boolean16 TuningRecord::*switchMember(int k)
{
    if (k < 1 || k > SwitchCount)
        throw RuntimeError("There is no switch " + std::to_string(k) + ".");
    return Switches[k - 1];
}

} // namespace

Boolean16 &TuningRecord::blnSw(int k)
{
    return this->*switchMember(k);
}

Boolean16 TuningRecord::blnSw(int k) const
{
    return this->*switchMember(k);
}

void convertFreqToSwitches(TuningRecord &record)
{
    for (int k = 1; k <= SwitchCount; ++k)
        record.blnSw(k) = True16;

    // n = distance from the top of the band in 0.1 MHz steps, plus one; the
    // strict tests below therefore always stop at an intCode of 1.
    const double scaled = checkFinite(record.dblFreq * StepsPerMHz);
    const double distance = checkFinite(std::fabs(checkFinite(scaled - TopInSteps)));
    record.intCode = toInt16(checkFinite(distance + 1.0));

    for (int k = SwitchCount; k >= 1; --k) {
        const auto weight = static_cast<std::int16_t>(1 << (k - 1));
        if (sub16(record.intCode, weight) > 0) {
            record.blnSw(k) = False16;
            record.intCode = sub16(record.intCode, weight);
        }
    }
}

void convertSwitchesToFreq(TuningRecord &record)
{
    record.intCode = record.blnSw8 ? 128 : 0;
    for (int k = SwitchCount - 1; k >= 1; --k) {
        if (record.blnSw(k))
            record.intCode = add16(record.intCode, static_cast<std::int16_t>(1 << (k - 1)));
    }
    record.dblFreq = checkFinite(checkFinite(record.intCode / StepsPerMHz) + LowerLimit);
}

bool isBelowBand(double frequency)
{
    return frequency < BandStart;
}
