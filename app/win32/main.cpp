#include "errorreport.h"
#include "frmSettings.h"

#include <windows.h>

namespace {

// Builds the window, runs its load event and the message loop: the status
// of the loop, or of the first error.
int run(HINSTANCE instance, int showCommand, EventGuard &guard)
{
    frmSettings::registerClass(instance);
    frmSettings window(guard);
    window.create(instance);
    // A missing image ends the program here, before any window shows.
    if (!guard.run([&] { window.load(); }))
        return 1;
    window.show(showCommand);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!window.translateKey(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return int(message.wParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    // Before anything can load a library: every load, the system's own on our
    // behalf too, from the system folder, never from the program's.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    EventGuard guard([] { PostQuitMessage(1); });
    int status = 1;
    guard.run([&] { status = run(instance, showCommand, guard); });
    if (guard.failed()) {
        ErrorReport::show(guard.error());
        return 1;
    }
    return status;
}
