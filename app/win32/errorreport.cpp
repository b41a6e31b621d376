#include "errorreport.h"

#include "commoncontrols.h"
#include "reporttext.h"
#include "widetext.h"

#include <windows.h>

namespace ErrorReport {

void show(std::exception_ptr error)
{
    const std::string text = reportText(error).text();
    HANDLE standardError = GetStdHandle(STD_ERROR_HANDLE);
    if (standardError && standardError != INVALID_HANDLE_VALUE) {
        const std::string line = text + "\n";
        DWORD written = 0;
        WriteFile(standardError, line.data(), DWORD(line.size()), &written, nullptr);
    }
    // The quit that ended the loop, or the window's end, would close the box unseen.
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    CommonControlsScope themed; // the box's button as every other program's
    MessageBoxW(nullptr, widen(text).c_str(), widen(ReportTitle).c_str(),
                MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
}

} // namespace ErrorReport
