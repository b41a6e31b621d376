// Every number text the program writes and reads, one line each: built
// natively and into the web module, the two outputs must be equal.
#include "numbertext.h"
#include "recordingview.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
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
    using limits = std::numeric_limits<double>;
    std::vector<double> values = {0.0,
                                  -0.0,
                                  0.1 + 0.2,
                                  1e15,
                                  1e16,
                                  123456789012345678.0,
                                  1e-5,
                                  limits::denorm_min(),
                                  -limits::denorm_min(),
                                  limits::denorm_min() * 12345,
                                  limits::min(),
                                  limits::min() / 3,
                                  limits::max(),
                                  limits::lowest(),
                                  limits::infinity(),
                                  -limits::infinity(),
                                  limits::quiet_NaN()};
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
                                      std::string(400, '9'),
                                      "0." + std::string(323, '0') + "5",
                                      "0." + std::string(330, '0') + "1",
                                      "1" + std::string(308, '0'),
                                      "1" + std::string(309, '0'),
                                      "2.2250738585072011e-308",
                                      "9\xff",
                                      "\xc3",
                                      "\u0669\u0665\u066B\u0663",
                                      "\u061C-\u0669\u0665"};
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
