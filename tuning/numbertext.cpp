#include "numbertext.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// The window's numbers are few and short: the field holds five characters
// and the program writes only channels and the band's start. Both ways are
// exact on the standard library alone, with no C locale and no printf.

constexpr int Significant = 15; // as the window has always written its numbers

// A whole number in 32-bit limbs, least significant first: just what the
// exact digits of a double need.
using Limbs = std::vector<std::uint32_t>;

// value = limbs / 2^FractionBits: every double is a whole number of 2^-1074.
constexpr int FractionBits = 1152;

// Multiplies by `factor` and adds `carry`.
void multiplyAdd(Limbs &limbs, std::uint32_t factor, std::uint32_t carry)
{
    for (std::uint32_t &limb : limbs) {
        const std::uint64_t product = std::uint64_t(limb) * factor + carry;
        limb = std::uint32_t(product);
        carry = std::uint32_t(product >> 32);
    }
    if (carry)
        limbs.push_back(carry);
}

// Divides by `divisor`, giving the remainder.
std::uint32_t divide(Limbs &limbs, std::uint32_t divisor)
{
    std::uint64_t rest = 0;
    for (auto limb = limbs.rbegin(); limb != limbs.rend(); ++limb) {
        const std::uint64_t part = rest << 32 | *limb;
        *limb = std::uint32_t(part / divisor);
        rest = part % divisor;
    }
    while (!limbs.empty() && limbs.back() == 0)
        limbs.pop_back();
    return std::uint32_t(rest);
}

bool isZero(const Limbs &limbs)
{
    for (const std::uint32_t limb : limbs)
        if (limb)
            return false;
    return true;
}

// The exact decimal digits of a finite, positive double, as many as there
// are up to `most` significant ones; `sticky` tells whether any nonzero digit
// follows them. The value is 0.digits x 10^point.
struct Digits {
    std::string digits;
    int point = 0;
    bool sticky = false;
};

Digits exactDigits(double value, std::size_t most)
{
    int exponent = 0;
    const double fraction = std::frexp(value, &exponent);
    const auto mantissa = std::uint64_t(std::ldexp(fraction, 53));
    const int shift = exponent - 53 + FractionBits; // >= 0 for every double
    Limbs whole(std::size_t(shift / 32), 0);
    whole.push_back(std::uint32_t(mantissa));
    whole.push_back(std::uint32_t(mantissa >> 32));
    multiplyAdd(whole, std::uint32_t(1) << (shift % 32), 0);
    whole.resize(std::max(whole.size(), std::size_t(FractionBits / 32)));
    // Split at the binary point.
    Limbs part(whole.begin(), whole.begin() + FractionBits / 32);
    whole.erase(whole.begin(), whole.begin() + FractionBits / 32);
    Digits out;
    std::string integer;
    while (!isZero(whole))
        integer.push_back(char('0' + divide(whole, 10)));
    out.digits.assign(integer.rbegin(), integer.rend());
    out.point = int(out.digits.size());
    while (!isZero(part)) {
        if (out.digits.size() > most) {
            out.sticky = true;
            break;
        }
        multiplyAdd(part, 10, 0);
        const std::uint32_t digit = part.size() > FractionBits / 32 ? part.back() : 0;
        part.resize(FractionBits / 32);
        if (out.digits.empty() && digit == 0)
            --out.point;
        else
            out.digits.push_back(char('0' + digit));
    }
    if (out.digits.size() > most) {
        out.sticky = out.sticky || out.digits.find_first_not_of('0', most + 1) != std::string::npos;
        out.digits.resize(most + 1);
    }
    return out;
}

// The value to `significant` digits, half to even, as printf's %.*g writes it
// in the C locale: no exponent from 1e-4 up to 10^significant, no trailing zeros.
std::string asciiOf(double value)
{
    if (std::isnan(value))
        return std::signbit(value) ? "-nan" : "nan";
    std::string sign = std::signbit(value) ? "-" : "";
    if (std::isinf(value))
        return sign + "inf";
    if (value == 0)
        return sign + "0";
    Digits d = exactDigits(std::fabs(value), Significant);
    if (d.digits.size() > std::size_t(Significant)) {
        const char next = d.digits[Significant];
        d.digits.resize(Significant);
        const bool odd = (d.digits.back() - '0') % 2 == 1;
        if (next > '5' || (next == '5' && (d.sticky || odd))) {
            std::size_t i = d.digits.size();
            while (i > 0 && d.digits[i - 1] == '9')
                d.digits[--i] = '0';
            if (i == 0) {
                d.digits.insert(d.digits.begin(), '1');
                d.digits.pop_back();
                ++d.point;
            } else {
                ++d.digits[i - 1];
            }
        }
    }
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    const int exponent = d.point - 1;
    std::string text;
    if (exponent < -4 || exponent >= Significant) {
        text = d.digits.substr(0, 1);
        if (d.digits.size() > 1)
            text += "." + d.digits.substr(1);
        const int size = exponent < 0 ? -exponent : exponent;
        text += exponent < 0 ? "e-" : "e+";
        text += (size < 10 ? "0" : "") + std::to_string(size);
    } else if (d.point <= 0) {
        text = "0." + std::string(std::size_t(-d.point), '0') + d.digits;
    } else if (std::size_t(d.point) >= d.digits.size()) {
        text = d.digits + std::string(std::size_t(d.point) - d.digits.size(), '0');
    } else {
        text =
            d.digits.substr(0, std::size_t(d.point)) + "." + d.digits.substr(std::size_t(d.point));
    }
    return sign + text;
}

// `ascii` holds an optional '-', digits and at most one '.', with a digit.
// Up to 15 significant digits within 10^22 of a whole number, each value is
// one correctly rounded operation on two exact doubles; anything beyond
// (at least 16 characters, far outside the band) is not a number here.
std::optional<double> valueOf(const std::string &ascii)
{
    std::string digits;
    int exponent = 0;
    bool fraction = false;
    for (const char c : ascii) {
        if (c == '.') {
            fraction = true;
        } else if (c != '-') {
            digits.push_back(c);
            exponent -= fraction ? 1 : 0;
        }
    }
    const std::size_t first = digits.find_first_not_of('0');
    digits.erase(0, first == std::string::npos ? digits.size() : first);
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    const bool negative = !ascii.empty() && ascii.front() == '-';
    if (digits.empty())
        return negative ? -0.0 : 0.0;
    if (digits.size() > std::size_t(Significant) || exponent > 22 || exponent < -22)
        return std::nullopt;
    std::uint64_t whole = 0;
    for (const char c : digits)
        whole = whole * 10 + std::uint64_t(c - '0');
    double power = 1;
    for (int i = 0; i < (exponent < 0 ? -exponent : exponent); ++i)
        power *= 10; // exact up to 10^22
    const double value = exponent < 0 ? double(whole) / power : double(whole) * power;
    return negative ? -value : value;
}

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
