#include "errorreport.h"

#include "reporttext.h"
#include "widetext.h"

#include <windows.h>

namespace {

BOOL CALLBACK hideWindow(HWND window, LPARAM)
{
    ShowWindow(window, SW_HIDE);
    return TRUE;
}

} // namespace

void ErrorReport::fail(const std::exception *error)
{
    // Messages that the report's own loop delivers may fail again: one report.
    if (m_failing)
        ExitProcess(1);
    m_failing = true;
    const std::string text = reportText(error);
    HANDLE standardError = GetStdHandle(STD_ERROR_HANDLE);
    if (standardError && standardError != INVALID_HANDLE_VALUE) {
        const std::string line = text + "\n";
        DWORD written = 0;
        WriteFile(standardError, line.data(), DWORD(line.size()), &written, nullptr);
    }
    // No half-updated window stays behind the report, and a quit already
    // asked for must not close it unseen.
    EnumThreadWindows(GetCurrentThreadId(), hideWindow, 0);
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    MessageBoxW(nullptr, widen(text).c_str(), widen(ReportTitle).c_str(),
                MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
    ExitProcess(1);
}
