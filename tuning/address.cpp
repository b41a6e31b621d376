#include "address.h"

#include "numbertext.h"
#include "tuningrecord.h"

#include <algorithm>
#include <optional>

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<std::u32string> decoded(std::string_view escaped)
{
    std::string bytes;
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] != '%') {
            bytes.push_back(escaped[i]);
            continue;
        }
        const int high = i + 2 < escaped.size() ? hexValue(escaped[i + 1]) : -1;
        const int low = high < 0 ? -1 : hexValue(escaped[i + 2]);
        if (low < 0)
            return std::nullopt;
        bytes.push_back(char(high * 16 + low));
        i += 2;
    }
    return decodeUtf8(bytes);
}

} // namespace

std::string typedFromAddress(const std::string &fragment)
{
    std::size_t most = std::min(fragment.size(), std::size_t(12 * FieldLength));
    while (most < fragment.size() && (static_cast<unsigned char>(fragment[most]) & 0xC0) == 0x80)
        --most; // not inside a character
    const std::string_view escaped(fragment.data(), most);
    std::optional<std::u32string> text = decoded(escaped);
    if (!text)
        text = decoded(escaped.substr(0, std::min(escaped.size(), escaped.rfind('%'))));
    if (!text)
        return {};
    return encodeUtf8(std::u32string_view(*text).substr(0, FieldLength));
}
