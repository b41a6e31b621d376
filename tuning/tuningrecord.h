#pragma once

#include <cstdint>
#include <string>

// A Boolean as the switch block stores it: 16 bits, True is all bits set.
// Any non-zero value tests as true.
using Boolean16 = std::int16_t;
inline constexpr Boolean16 True16 = -1;
inline constexpr Boolean16 False16 = 0;

inline constexpr int SwitchCount = 8;

// Band limits in MHz. Code 0 is the bottom of the raster, 255 its top.
inline constexpr double LowerLimit = 82.5;
inline constexpr double UpperLimit = 108.0;
inline constexpr double BandStart = 87.5;

// The characters the frequency field holds: the longest text ever read as a number.
inline constexpr int FieldLength = 5;

// The two run-time images: a switch in the ON position (bit 0) and in the
// OFF position (bit 1).
inline constexpr const char *PicOnName = "ON_SW.bmp";
inline constexpr const char *PicOffName = "OFF_SW.bmp";

// The tuning state of the settings window.
struct TuningRecord {
    std::int16_t intCode = 0;
    Boolean16 blnSw1 = False16;
    Boolean16 blnSw2 = False16;
    Boolean16 blnSw3 = False16;
    Boolean16 blnSw4 = False16;
    Boolean16 blnSw5 = False16;
    Boolean16 blnSw6 = False16;
    Boolean16 blnSw7 = False16;
    Boolean16 blnSw8 = False16;
    double dblFreq = 0.0;
    std::string strPicOn;
    std::string strPicOff;

    // Switch k, 1..8, carrying the weight 2^(k-1).
    Boolean16 &blnSw(int k);
    Boolean16 blnSw(int k) const;
};

// Sets intCode and blnSw1..blnSw8 to the channel nearest to dblFreq.
void convertFreqToSwitches(TuningRecord &record);

// Sets intCode to the switch code and dblFreq to its raster frequency.
void convertSwitchesToFreq(TuningRecord &record);

// Below the normal broadcast band: shown in red.
bool isBelowBand(double frequency);
