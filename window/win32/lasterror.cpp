#include "lasterror.h"

#include "runtimeerror.h"
#include "widetext.h"

#include <string>
#include <windows.h>

void throwLastError(const char *what)
{
    const DWORD code = GetLastError();
    wchar_t *message = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<wchar_t *>(&message), 0, nullptr);
    std::string reason = message ? narrow(message) : "error " + std::to_string(code);
    LocalFree(message);
    while (!reason.empty() &&
           (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.'))
        reason.pop_back();
    throw RuntimeError(std::string(what) + " (" + reason + ").");
}
