#pragma once

#include "design.h"
#include "handles.h"
#include "windowbase.h"

#include <array>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

class PictureBox;
class SettingsController;
class Win32View;

// The settings window: the frequency field, the instruction text and the
// DIP switch block, built from the window's design. All behaviour lives in
// SettingsController; this class routes the controls' events to it.
class frmSettings : public WindowBase
{
public:
    static void registerClass(HINSTANCE instance);

    // Builds the window and its controls, hidden; throws when one cannot be made.
    frmSettings(HINSTANCE instance, EventGuard &guard);
    ~frmSettings() override;

    // The load event: call once, before the window is first shown.
    void load();
    void show(int showCommand);

    // Tab between the controls: true when the message was handled so.
    bool isDialogMessage(MSG &message) { return IsDialogMessageW(m_hwnd, &message); }

private:
    static LRESULT CALLBACK fieldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

    void buildControls(HINSTANCE instance);
    HWND buildControl(HINSTANCE instance, const Design::Control &design, int id);
    void addToolTips();
    HFONT fontOf(const Design::Font &font) const;
    RECT scaled(const Design::Control &design) const;

    void onCommand(WPARAM wParam);
    LRESULT onFieldColour(HDC dc);
    LRESULT onLabelColour(HDC dc);
    void onActivate(WPARAM wParam);
    void onPaint();
    void onFieldLosesFocus(HWND next);

    int m_scale = 1;
    bool m_closing = false;
    HWND m_focusWhenActive = nullptr;

    std::wstring m_fontFamily;
    OwnedFont m_windowFont;
    OwnedFont m_largeFont;
    OwnedBrush m_fieldBrush;
    OwnedBrush m_labelBrush;

    HWND m_txtFreq = nullptr;
    HWND m_Description = nullptr;
    HWND m_toolTips = nullptr;
    std::unique_ptr<PictureBox> m_picDIP_SW;
    std::array<std::unique_ptr<PictureBox>, 8> m_pics;
    std::unique_ptr<Win32View> m_view;
    std::unique_ptr<SettingsController> m_controller;
};
