// The floor for start-up under Windows: a window of the same size with one
// label and nothing else, statically linked like the program. With --field, a
// focused edit control in a large bold face beside it: the least window with
// the kinds of controls the program has.
#include <string_view>
#include <windows.h>

namespace {

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"MinimalDialog";
    RegisterClassW(&windowClass);
    RECT frame{0, 0, 312, 213};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    AdjustWindowRect(&frame, style, FALSE);
    HWND window = CreateWindowW(L"MinimalDialog", L"Minimal dialog", style, CW_USEDEFAULT,
                                CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                nullptr, nullptr, instance, nullptr);
    CreateWindowW(L"STATIC", L"Hello", WS_CHILD | WS_VISIBLE, 57, 87, 100, 20, window, nullptr,
                  instance, nullptr);
    HWND field = nullptr;
    if (std::wstring_view(GetCommandLineW()).ends_with(L"--field")) {
        HFONT font = CreateFontW(-32, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0,
                                 L"Microsoft Sans Serif");
        field = CreateWindowW(L"EDIT", L"87.5", WS_CHILD | WS_VISIBLE | ES_CENTER, 101, 39, 91, 39,
                              window, nullptr, instance, nullptr);
        SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    ShowWindow(window, showCommand);
    if (field)
        SetFocus(field);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}
