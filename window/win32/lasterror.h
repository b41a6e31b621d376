#pragma once

// Throws the error of the last Win32 call that failed, in the system's words,
// for the report: "what (reason)."
[[noreturn]] void throwLastError(const char *what);
