// Every number text the program writes and reads, one line each: built
// natively and into the web module, the two outputs must be equal.
#include "numbertext.h"
#include "recordingview.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::uint64_t bitsOf(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

double fromBits(std::uint64_t bits)
{
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Node hands the module's output on as UTF-8: bytes that are not go as escapes.
std::string escaped(const std::string &text)
{
    std::string out;
    for (const unsigned char c : text) {
        char hex[8];
        std::snprintf(hex, sizeof hex, c < 0x21 || c > 0x7E ? "\\x%02x" : "%c", c);
        out += hex;
    }
    return out;
}

} // namespace

int main()
{
    // Signed zeros, subnormals, the extremes, infinities and a NaN, by their bits.
    std::vector<double> values = {0.1 + 0.2, 1e15, 1e16, 123456789012345678.0, 1e-5};
    for (const std::uint64_t bits :
         {0x0ull, 0x8000000000000000ull, 0x1ull, 0x8000000000000001ull, 0x3039ull,
          0x10000000000000ull, 0x5555555555555ull, 0x7fefffffffffffffull, 0xffefffffffffffffull,
          0x7ff0000000000000ull, 0xfff0000000000000ull, 0x7ff8000000000000ull})
        values.push_back(fromBits(bits));
    for (int tenths = 0; tenths <= 2000; ++tenths)
        values.push_back(tenths / 10.0);
    std::mt19937_64 random(20261208);
    for (int i = 0; i < 20000; ++i)
        values.push_back(fromBits(random()));

    std::vector<std::string> texts = {"",
                                      " ",
                                      ".5",
                                      "95.",
                                      "95,",
                                      "-0",
                                      "+0",
                                      "\u221299",
                                      "2.2250738585072011e-308",
                                      "9\xff",
                                      "\xc3",
                                      "\u0669\u0665\u066B\u0663",
                                      "\u061C-\u0669\u0665"};
    // Too many digits, a subnormal, one too small for anything but zero, and the top of the range.
    for (const auto &[lead, zeros, tail] : {std::tuple{"9", 399, ""},
                                            {"0.", 323, "5"},
                                            {"0.", 330, "1"},
                                            {"1", 308, ""},
                                            {"1", 309, ""}})
        texts.push_back(lead + std::string(std::size_t(zeros), lead[0] == '9' ? '9' : '0') + tail);
    // Short texts over the characters the field may see, drawn the same way everywhere.
    const char *alphabet[] = {"0", "1", "5", "9",      ".",      ",",      "-",
                              "+", " ", "e", "\u2212", "\u00a0", "\u0660", "\u066B"};
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        for (std::uint64_t length = random() % 9; length > 0; --length)
            text += alphabet[random() % std::size(alphabet)];
        texts.push_back(text);
    }

    const struct {
        const char *name;
        const LocaleFacts &facts;
    } locales[] = {{"C", CFacts}, {"de", GermanFacts}, {"ar", ArabicFacts}};
    for (const auto &locale : locales) {
        const NumberText numbers(locale.facts);
        for (const double value : values) {
            const std::string text = numbers.format(value);
            texts.push_back(text);
            // The length in characters, which the field holds five of.
            std::printf("format %s %016llx %s %zu\n", locale.name,
                        static_cast<unsigned long long>(bitsOf(value)), escaped(text).c_str(),
                        decodeUtf8(text).value_or(U"").size());
        }
        for (const std::string &text : texts) {
            const std::optional<double> value = numbers.parse(text);
            std::printf("parse %s %s %s\n", locale.name, escaped(text).c_str(),
                        value ? std::to_string(bitsOf(*value)).c_str() : "none");
        }
    }
    return 0;
}
