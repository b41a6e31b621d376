#include "numbertext.h"
#include "recordingview.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

TEST(NumberText, Formats)
{
    const struct {
        const LocaleFacts &facts;
        double value;
        const char *expected;
    } rows[] = {
        {GermanFacts, 87.5, "87,5"},
        {GermanFacts, 108.0, "108"},
        {GermanFacts, 100.5, "100,5"},
        {GermanFacts, 1234.5, "1234,5"},
        {ArabicFacts, 95.3, "\u0669\u0665\u066B\u0663"},
        {ArabicFacts, -1.0, "\u061C-\u0661"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(NumberText(row.facts).format(row.value), row.expected);
    // A column of figures: at least its decimals, more where the value has them.
    EXPECT_EQ(NumberText().format(83.0, 1), "83.0");
    EXPECT_EQ(NumberText(GermanFacts).format(100.0, 2), "100,00");
    EXPECT_EQ(NumberText().format(87.55, 1), "87.55");
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
        {GermanFacts, "95,3", 95.3},
        {GermanFacts, "95.3", 95.3},
        {CFacts, " \t88.1\u00a0", 88.1},
        {CFacts, "+99", 99.0},
        {CFacts, "\u221299", -99.0},
        {GermanFacts, "95,", 95.0},
        {ArabicFacts, "\u0669\u0665\u066B\u0663", 95.3},
        {ArabicFacts, "\u061C-\u0669\u0665", -95.0},
        {CFacts, "\uff19\uff15", no}, // digits of another script than the locale's
        {CFacts, "   ", no},
        {CFacts, ",", no},
        {CFacts, "1,000.5", no},
        {CFacts, "9 5", no},
        {CFacts, "+-95", no},
        {CFacts, "1e2", no},
        {CFacts, "$95", no},
        {CFacts, std::string(400, '9'), no},
        // Sixteen significant digits, or beyond 10^22 of a whole number: far
        // longer than the field's five characters.
        {CFacts, "95.3000000000001", 95.3000000000001},
        {CFacts, "95.30000000000001", no},
        {CFacts, "0000000000000000095.3", 95.3},
        {CFacts, "1" + std::string(22, '0'), 1e22},
        {CFacts, "1" + std::string(23, '0'), no},
        {CFacts, std::string(1, '\0'), no},
        {CFacts, "9\xff", no},        // not UTF-8
        {CFacts, "\xc3", no},         // cut short
        {CFacts, "\xc0\xb9\x35", no}, // overlong '9'
        {CFacts, "\xed\xa0\x80", no}, // a surrogate
    };
    for (const auto &row : rows)
        EXPECT_EQ(NumberText(row.facts).parse(row.text), row.expected) << '"' << row.text << '"';
}

// The library's shortest-form conversions are the reference: independent
// code, written to the same standard as printf's %.15g and strtod. The web
// build's library has none: the tables above run there.
#if defined(__cpp_lib_to_chars) && defined(__cpp_lib_bit_cast)
std::string libraryText(double value)
{
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr;
    return std::string(buffer, end);
}

TEST(NumberText, WritesAsTheLibraryDoes)
{
    const NumberText numbers;
    std::vector<double> values{87.5,
                               1e-5,
                               1.5e-4,
                               1e15,
                               999999999999999.5,
                               12345678901234.5,
                               12345678901234.25,
                               0.1 + 0.2,
                               5e-324,
                               1.7976931348623157e308};
    for (int code = 0; code <= 255; ++code) // the channels as the switches compute them
        values.insert(values.end(), {82.5 + code / 10.0, (825 + code) / 10.0, code * 0.1 + 82.5});
    std::mt19937_64 bits(7);
    for (int i = 0; i < 20000; ++i)
        values.push_back(std::bit_cast<double>(bits()));
    for (const double value : values)
        if (std::isfinite(value)) {
            EXPECT_EQ(numbers.format(value), libraryText(value)) << std::hexfloat << value;
            EXPECT_EQ(numbers.format(-value), libraryText(-value)) << std::hexfloat << value;
        }
}

TEST(NumberText, ReadsEveryShortTextAsTheLibraryDoes)
{
    // Every text of up to five characters the field can hold of digits,
    // a point and a minus sign.
    const NumberText numbers;
    const std::string alphabet = "0123456789.-";
    std::string text;
    int numeric = 0;
    const auto visit = [&](const auto &self, std::size_t length) -> void {
        if (length > 0) {
            double value = 0;
            const auto [end, error] = std::from_chars(text.data(), text.data() + length, value);
            const bool whole = error == std::errc() && end == text.data() + length;
            const std::optional<double> got = numbers.parse(text.substr(0, length));
            numeric += got.has_value();
            if (got.has_value() != whole ||
                (whole && (*got != value || std::signbit(*got) != std::signbit(value))))
                ADD_FAILURE() << '"' << text.substr(0, length) << '"';
        }
        if (length == 5)
            return;
        for (const char c : alphabet) {
            text.resize(length);
            text.push_back(c);
            self(self, length + 1);
        }
    };
    visit(visit, 0);
    EXPECT_GT(numeric, 100000); // the walk reached the numbers
}
#endif
