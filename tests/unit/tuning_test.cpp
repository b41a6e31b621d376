#include "int16.h"
#include "runtimeerror.h"
#include "tuningrecord.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

int codeOf(const TuningRecord &record)
{
    int code = 0;
    for (int k = 1; k <= SwitchCount; ++k)
        code += record.blnSw(k) ? (1 << (k - 1)) : 0;
    return code;
}

// The decimal text of a value in units of 10^-places MHz, from integers only.
std::string decimalText(int units, int places)
{
    std::string fraction = std::to_string(units % int(std::pow(10, places)));
    fraction.insert(0, std::size_t(places) - fraction.size(), '0');
    return std::to_string(units / int(std::pow(10, places))) + "." + fraction;
}

// Nearest channel of a value given in units of 10^-places MHz, ties to the even code.
int nearestCode(int units, int places)
{
    const int perStep = int(std::pow(10, places - 1));
    const int offset = units - 825 * perStep;
    const int below = offset / perStep;
    const int twiceRemainder = 2 * (offset % perStep);
    if (twiceRemainder < perStep || (twiceRemainder == perStep && below % 2 == 0))
        return below;
    return below + 1;
}

constexpr int Overflows = 99999;

} // namespace

TEST(Int16, RoundsHalfToEvenAndOverflowsOutsideTheRange)
{
    const struct {
        double value;
        int expected;
    } rows[] = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {206.49999999999997, 206},
        {32767.0, 32767},
        {32767.4, 32767},
        {32767.5, Overflows},
        {-32768.0, -32768},
        {-32768.5, -32768},
        {-32768.6, Overflows},
        {1e300, Overflows},
        {std::nan(""), Overflows},
        {HUGE_VAL, Overflows},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.value);
        if (row.expected == Overflows)
            EXPECT_THROW(toInt16(row.value), OverflowError);
        else
            EXPECT_EQ(toInt16(row.value), row.expected);
    }
    EXPECT_EQ(add16(32766, 1), 32767);
    EXPECT_THROW(add16(32767, 1), OverflowError);
    EXPECT_EQ(sub16(-32767, 1), -32768);
    EXPECT_THROW(sub16(-32768, 1), OverflowError);
    EXPECT_THROW(add16(-32768, -1), OverflowError);
    EXPECT_THROW(checkFinite(HUGE_VAL * 0.0), FloatingPointError);
}

TEST(Conversion, EveryCodeRoundTrips)
{
    for (int code = 0; code < 256; ++code) {
        TuningRecord record;
        for (int k = 1; k <= SwitchCount; ++k)
            record.blnSw(k) = (code >> (k - 1)) & 1 ? True16 : False16;
        convertSwitchesToFreq(record);
        EXPECT_EQ(record.intCode, code);
        EXPECT_EQ(record.dblFreq, std::strtod(decimalText(825 + code, 1).c_str(), nullptr));

        convertFreqToSwitches(record);
        EXPECT_EQ(codeOf(record), code);
        EXPECT_EQ(record.intCode, 1);
        for (int k = 1; k <= SwitchCount; ++k)
            EXPECT_TRUE(record.blnSw(k) == True16 || record.blnSw(k) == False16);
    }
}

TEST(Conversion, TypedValuesGoToTheNearestChannelTiesToEven)
{
    // Hundredths hold every halfway value; thousandths the values near them.
    for (const int places : {2, 3}) {
        const int perMHz = int(std::pow(10, places));
        for (int units = 825 * perMHz / 10; units <= 1080 * perMHz / 10; ++units) {
            const std::string text = decimalText(units, places);
            TuningRecord record;
            record.dblFreq = std::strtod(text.c_str(), nullptr);
            const double typed = record.dblFreq;
            convertFreqToSwitches(record);
            ASSERT_EQ(codeOf(record), nearestCode(units, places)) << text;
            ASSERT_EQ(record.dblFreq, typed);
        }
    }
}

TEST(Conversion, ArithmeticOutsideTheBandRaises)
{
    for (const double frequency : {5000.0, -5000.0}) {
        TuningRecord record;
        record.dblFreq = frequency;
        EXPECT_THROW(convertFreqToSwitches(record), OverflowError) << frequency;
    }
    for (const double frequency : {std::nan(""), HUGE_VAL, 1.7e308}) {
        TuningRecord record;
        record.dblFreq = frequency;
        EXPECT_THROW(convertFreqToSwitches(record), FloatingPointError) << frequency;
    }
    TuningRecord record;
    EXPECT_THROW(record.blnSw(9), RuntimeError);
}
