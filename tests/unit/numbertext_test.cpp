#include "numbertext.h"
#include "recordingview.h"

#include <gtest/gtest.h>
#include <string>

TEST(NumberText, Formats)
{
    const struct {
        const LocaleFacts &facts;
        double value;
        const char *expected;
    } rows[] = {
        {CFacts, 87.5, "87.5"},
        {GermanFacts, 87.5, "87,5"},
        {GermanFacts, 108.0, "108"},
        {GermanFacts, 100.5, "100,5"},
        {CFacts, 0.1 + 0.2, "0.3"},
        {GermanFacts, 1234.5, "1234,5"},
        {CFacts, 98765.0, "98765"},
        {ArabicFacts, 95.3, "\u0669\u0665\u066B\u0663"},
        {ArabicFacts, -1.0, "\u061C-\u0661"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(NumberText(row.facts).format(row.value), row.expected);
}

TEST(NumberText, EveryChannelFitsTheFieldAndReadsBack)
{
    for (const LocaleFacts *facts : {&CFacts, &GermanFacts, &ArabicFacts}) {
        const NumberText numbers(*facts);
        for (int tenths = 825; tenths <= 1080; ++tenths) {
            const double frequency = tenths / 10.0;
            const std::string text = numbers.format(frequency);
            EXPECT_LE(decodeUtf8(text)->size(), 5u) << text;
            EXPECT_EQ(numbers.parse(text), frequency) << text;
        }
    }
}

TEST(NumberText, Parses)
{
    const std::optional<double> no;
    const struct {
        const LocaleFacts &facts;
        std::string text;
        std::optional<double> expected;
    } rows[] = {
        {CFacts, "95.3", 95.3},
        {CFacts, "95,3", 95.3},
        {GermanFacts, "95,3", 95.3},
        {GermanFacts, "95.3", 95.3},
        {CFacts, "85", 85.0},
        {CFacts, " \t88.1\u00a0", 88.1},
        {CFacts, "+99", 99.0},
        {CFacts, "-99", -99.0},
        {CFacts, "\u221299", -99.0},
        {CFacts, ".5", 0.5},
        {GermanFacts, "95,", 95.0},
        {ArabicFacts, "\u0669\u0665\u066B\u0663", 95.3},
        {ArabicFacts, "\u061C-\u0669\u0665", -95.0},
        {CFacts, "\uff19\uff15", no}, // digits of another script than the locale's
        {CFacts, "", no},
        {CFacts, "   ", no},
        {CFacts, "abc", no},
        {CFacts, "-", no},
        {CFacts, ",", no},
        {CFacts, "9.5.3", no},
        {CFacts, "1,000.5", no},
        {CFacts, "9 5", no},
        {CFacts, "95-", no},
        {CFacts, "--95", no},
        {CFacts, "+-95", no},
        {CFacts, "1e2", no},
        {CFacts, "0x5F", no},
        {CFacts, "$95", no},
        {CFacts, "inf", no},
        {CFacts, "nan", no},
        {CFacts, std::string(400, '9'), no},
        {CFacts, std::string(1, '\0'), no},
        {CFacts, "9\xff", no},        // not UTF-8
        {CFacts, "\xc3", no},         // cut short
        {CFacts, "\xc0\xb9\x35", no}, // overlong '9'
        {CFacts, "\xed\xa0\x80", no}, // a surrogate
    };
    for (const auto &row : rows)
        EXPECT_EQ(NumberText(row.facts).parse(row.text), row.expected) << '"' << row.text << '"';
}
