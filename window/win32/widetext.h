#pragma once

#include <string>
#include <string_view>

// The core speaks UTF-8, the Win32 API UTF-16.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

// Throws the error of the last Win32 call that failed, in the system's words,
// for the report: "what (reason)."
[[noreturn]] void throwLastError(const char *what);
