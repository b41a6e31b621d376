#include "numbertext.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Shortest-form and round-trip conversions as std::to_chars and
// std::from_chars give them; a library without their floating-point forms
// (emscripten's) gets the C library's, which the standard defines them by.
#if defined(__cpp_lib_to_chars)
std::string asciiOf(double value)
{
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return error == std::errc() ? std::string(buffer, end) : std::string();
}

std::optional<double> valueOf(const std::string &ascii)
{
    double value = 0.0;
    const char *first = ascii.data();
    const char *last = first + ascii.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last)
        return std::nullopt;
    return value;
}
#else
std::string asciiOf(double value)
{
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return length > 0 && length < int(sizeof buffer) ? std::string(buffer, std::size_t(length))
                                                     : std::string();
}

// `ascii` holds only a sign, digits and one '.': no locale, blank, exponent
// or word that strtod would read differently from from_chars.
std::optional<double> valueOf(const std::string &ascii)
{
    char *end = nullptr;
    errno = 0;
    const double value = std::strtod(ascii.c_str(), &end);
    // from_chars refuses a value too large, and one too small to be anything but zero.
    if (end != ascii.c_str() + ascii.size() ||
        (errno == ERANGE && (value == 0.0 || std::isinf(value))))
        return std::nullopt;
    return value;
}
#endif

bool isBlank(char32_t c)
{
    // Unicode White_Space: what a paste from a web page or a spreadsheet brings.
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

bool startsWith(std::u32string_view text, std::size_t at, std::u32string_view word)
{
    return !word.empty() && text.substr(at, word.size()) == word;
}

} // namespace

std::optional<std::u32string> decodeUtf8(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80    ? 0
                          : lead >= 0xF0 ? 3
                          : lead >= 0xE0 ? 2
                          : lead >= 0xC0 ? 1
                                         : -1;
        if (extra < 0 || lead > 0xF4 || i + std::size_t(extra) >= text.size())
            return std::nullopt;
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int j = 1; j <= extra; ++j) {
            const auto next = static_cast<unsigned char>(text[i + j]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            c = (c << 6) | (next & 0x3F);
        }
        constexpr char32_t Smallest[] = {0, 0x80, 0x800, 0x10000};
        if (c < Smallest[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return std::nullopt;
        out.push_back(c);
        i += std::size_t(extra) + 1;
    }
    return out;
}

std::string encodeUtf8(std::u32string_view text)
{
    std::string out;
    for (const char32_t c : text) {
        if (c < 0x80) {
            out.push_back(char(c));
        } else if (c < 0x800) {
            out.push_back(char(0xC0 | (c >> 6)));
            out.push_back(char(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(char(0xE0 | (c >> 12)));
            out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(char(0x80 | (c & 0x3F)));
        } else {
            out.push_back(char(0xF0 | (c >> 18)));
            out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(char(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

NumberText::NumberText(const LocaleFacts &facts)
    : m_facts(facts), m_separator(decodeUtf8(facts.decimalSeparator).value_or(U".")),
      m_minus(decodeUtf8(facts.minusSign).value_or(U"-"))
{
}

std::string NumberText::format(double value, int minimumDecimals) const
{
    std::string ascii = asciiOf(value);
    if (ascii.find_first_not_of("-0123456789.") == std::string::npos) {
        const std::size_t point = ascii.find('.');
        const int decimals = point == std::string::npos ? 0 : int(ascii.size() - point - 1);
        if (decimals < minimumDecimals)
            ascii +=
                (decimals ? "" : ".") + std::string(std::size_t(minimumDecimals - decimals), '0');
    }
    std::u32string text;
    for (const char *p = ascii.c_str(); *p; ++p) {
        if (*p == '.')
            text += m_separator;
        else if (*p == '-')
            text += m_minus;
        else if (*p >= '0' && *p <= '9')
            text += char32_t(m_facts.zeroDigit + char32_t(*p - '0'));
        else
            text += char32_t(*p);
    }
    return encodeUtf8(text);
}

std::optional<double> NumberText::parse(std::string_view utf8) const
{
    const std::optional<std::u32string> decoded = decodeUtf8(utf8);
    if (!decoded)
        return std::nullopt;
    std::u32string_view text = *decoded;
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);

    std::string ascii;
    bool haveDigit = false;
    bool haveSeparator = false;
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = text[i];
        if (c >= U'0' && c <= U'9') {
            ascii.push_back(char('0' + (c - U'0')));
            haveDigit = true;
            ++i;
        } else if (c >= m_facts.zeroDigit && c <= m_facts.zeroDigit + 9) {
            ascii.push_back(char('0' + (c - m_facts.zeroDigit)));
            haveDigit = true;
            ++i;
        } else if (i == 0 && (c == U'+' || c == U'-' || c == U'\u2212')) {
            if (c != U'+')
                ascii.push_back('-');
            ++i;
        } else if (i == 0 && startsWith(text, i, m_minus)) {
            ascii.push_back('-');
            i += m_minus.size();
        } else if (!haveSeparator && (c == U'.' || c == U',')) {
            ascii.push_back('.');
            haveSeparator = true;
            ++i;
        } else if (!haveSeparator && startsWith(text, i, m_separator)) {
            ascii.push_back('.');
            haveSeparator = true;
            i += m_separator.size();
        } else {
            return std::nullopt;
        }
    }
    if (!haveDigit)
        return std::nullopt;

    const std::optional<double> value = valueOf(ascii);
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}
