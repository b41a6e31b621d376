#pragma once

#include <string>
#include <string_view>

// The core speaks UTF-8, the Win32 API UTF-16.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);
