// The Windows program's events with real image files, against the floor of
// reading the same files' bytes alone, timed in the real window under Wine.
// Google Benchmark is not built for mingw-w64 here, so this prints the median
// of repeated batches, as bench_events does for Qt.
#include "frmSettings.h"
#include "picturefile.h"
#include "slowestbitmaps.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <vector>
#include <windows.h>

namespace {

// Microseconds per call: the median of 15 batches of `calls` calls.
double microseconds(int calls, const std::function<void()> &call)
{
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> batches;
    for (int batch = 0; batch < 15; ++batch) {
        QueryPerformanceCounter(&start);
        for (int i = 0; i < calls; ++i)
            call();
        QueryPerformanceCounter(&end);
        batches.push_back(double(end.QuadPart - start.QuadPart) * 1e6 / double(frequency.QuadPart) /
                          calls);
    }
    std::nth_element(batches.begin(), batches.begin() + 7, batches.end());
    return batches[7];
}

BOOL CALLBACK noteChild(HWND child, LPARAM found)
{
    reinterpret_cast<std::vector<HWND> *>(found)->push_back(child);
    return TRUE;
}

} // namespace

int main()
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    // What the window system alone costs for the same moves of the focus:
    // two plain edits in a window of their own, nothing validated.
    HWND plain = CreateWindowW(L"STATIC", L"baseline", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200, 100,
                               nullptr, nullptr, instance, nullptr);
    HWND first = CreateWindowW(L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 90, 20, plain, nullptr,
                               instance, nullptr);
    HWND second = CreateWindowW(L"EDIT", L"", WS_CHILD | WS_VISIBLE, 100, 0, 90, 20, plain, nullptr,
                                instance, nullptr);
    const double focusMoves = microseconds(250, [&] {
        SetFocus(first);
        SetWindowTextW(first, L"95.3");
        SetFocus(second);
    });
    DestroyWindow(plain);

    EventGuard guard;
    frmSettings::registerClass(instance);
    frmSettings window(guard);
    window.create(instance);
    window.load();
    window.show(SW_SHOWNORMAL);

    std::vector<HWND> children;
    EnumChildWindows(window.hwnd(), noteChild, reinterpret_cast<LPARAM>(&children));
    HWND field = FindWindowExW(window.hwnd(), nullptr, L"EDIT", nullptr);
    // The housing is the picture box with a switch inside it, switch 1.
    const auto pic1 = std::find_if(children.begin(), children.end(),
                                   [&](HWND c) { return GetParent(c) != window.hwnd(); });
    if (!field || pic1 == children.end()) {
        std::printf("controls not found\n");
        return 1;
    }
    HWND housing = GetParent(*pic1);

    const auto read = [](int files) {
        return [files] {
            for (int i = 0; i < files; ++i)
                readPictureBytes(PlatformFileOpener(), "OFF_SW.bmp");
        };
    };
    const double floor1 = microseconds(2000, read(1)), floor8 = microseconds(250, read(8));
    const double decoded8 = microseconds(250, [] {
        for (int i = 0; i < 8; ++i)
            readPictureFile(PlatformFileOpener(), "OFF_SW.bmp");
    });
    const double validate = microseconds(250, [&] {
        SetFocus(field);
        SetWindowTextW(field, L"95.3");
        SetFocus(housing);
    });
    const double click = microseconds(2000, [&] {
        SendMessageW(*pic1, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageW(*pic1, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    });
    std::printf("read_switch_images/1  %8.1f us\nread_switch_images/8  %8.1f us\n", floor1, floor8);
    std::printf("read_and_decode/8     %8.1f us\n", decoded8);
    std::printf("txtFreq_Validate      %8.1f us\npic1_Click            %8.1f us\n", validate,
                click);
    std::printf(
        "focus_moves           %8.1f us (the same focus moves and text between plain edits)\n",
        focusMoves);
    std::printf("txtFreq_Validate: %.2f x read_switch_images/8 (the same number of raw file reads);"
                " without the focus moves %.2f x\n",
                validate / floor8, (validate - focusMoves) / floor8);
    std::printf("pic1_Click: %.2f x read_switch_images/1 (the same number of raw file reads)\n",
                click / floor1);

    // The slowest files there are, as both images: a validation shows eight
    // of them, a click one; a refused file is timed to its refusal.
    CreateDirectoryW(L"slowest", nullptr);
    SetCurrentDirectoryW(L"slowest");
    double worstValidation = 0, worstClick = 0;
    const char *worstValidationFile = "", *worstClickFile = "";
    for (const NamedBitmap &file : slowestBitmaps()) {
        for (const char *name : {"ON_SW.bmp", "OFF_SW.bmp"})
            std::ofstream(name, std::ios::binary)
                .write(reinterpret_cast<const char *>(file.bytes.data()),
                       std::streamsize(file.bytes.size()));
        const bool refusedFile = refused();
        const double validation = microseconds(5, [&] {
            if (refusedFile) {
                for (int i = 0; i < 8; ++i)
                    refused();
                return;
            }
            SetFocus(field);
            SetWindowTextW(field, L"95.3");
            SetFocus(housing);
        });
        const double slowClick = microseconds(10, [&] {
            if (refusedFile) {
                refused();
                return;
            }
            SendMessageW(*pic1, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
            SendMessageW(*pic1, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        });
        std::printf("slowest_validation/%-36s %8.1f us\nslowest_click/%-41s %8.1f us\n", file.name,
                    validation, file.name, slowClick);
        if (validation > worstValidation)
            worstValidation = validation, worstValidationFile = file.name;
        if (slowClick > worstClick)
            worstClick = slowClick, worstClickFile = file.name;
    }
    std::printf("slowest_validation: worst %.2f ms (%s); a frame at 60 Hz is 16.7 ms\n",
                worstValidation / 1000, worstValidationFile);
    std::printf("slowest_click: worst %.2f ms (%s)\n", worstClick / 1000, worstClickFile);
    return guard.failed() ? 1 : 0;
}
