#pragma once

#include <optional>
#include <string>
#include <string_view>

// What the user's locale says about writing numbers. The window side fills it
// in from the platform (QLocale, GetLocaleInfoEx); all texts are UTF-8.
struct LocaleFacts {
    std::string decimalSeparator = ".";
    std::string minusSign = "-";
    char32_t zeroDigit = U'0'; // the locale's digits are zeroDigit .. zeroDigit + 9
};

// Frequencies as the user reads and types them, in the user's locale.
class NumberText
{
public:
    explicit NumberText(const LocaleFacts &facts = {});

    // 15 significant digits, no trailing zeros, no group separators:
    // 87.5 -> "87,5" under a decimal-comma locale, 100.0 -> "100"; a
    // column of figures asks for its decimals: 100.0 -> "100.0" at one.
    std::string format(double value, int minimumDecimals = 0) const;

    // An optional sign and digits with at most one decimal separator, blanks
    // around them. Both '.' and ',' count as the separator in every locale:
    // the field's own tooltip writes the band with a comma. Digits may be
    // ASCII or the locale's own. Anything else, text that is not UTF-8, and
    // any value that does not fit a double, is not a number.
    std::optional<double> parse(std::string_view text) const;
    bool isNumeric(std::string_view text) const { return parse(text).has_value(); }

private:
    LocaleFacts m_facts;
    std::u32string m_separator;
    std::u32string m_minus;
};

// UTF-8 <-> code points; decoding gives nothing for malformed input.
std::optional<std::u32string> decodeUtf8(std::string_view text);
std::string encodeUtf8(std::u32string_view text);
