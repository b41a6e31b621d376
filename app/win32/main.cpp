#include "errorreport.h"
#include "frmSettings.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    ErrorReport errors;
    return guarded(errors, [&] {
        frmSettings::registerClass(instance);

        frmSettings window(instance, errors);
        // A missing image ends the program here, before any window shows and
        // while the window still exists: its end would ask the loop to quit.
        guarded(errors, [&] { window.load(); });
        window.show(showCommand);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (!window.isDialogMessage(message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        return int(message.wParam);
    });
}
