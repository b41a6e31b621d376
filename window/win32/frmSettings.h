#pragma once

#include "design.h"
#include "handles.h"
#include "screenreader.h"
#include "tuningrecord.h"
#include "windowbase.h"

#include <array>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>
#include <windows.h>

class PictureBox;
class SettingsController;
class Win32View;

// The settings window: the frequency field, the instruction text and the
// DIP switch block, built from the window's design at the scale of the
// monitor it is on. What an input means is SettingsController's and the
// design's; this class turns the controls' messages into their calls and
// shows what they answer.
class frmSettings : public WindowBase
{
public:
    static void registerClass(HINSTANCE instance);

    explicit frmSettings(EventGuard &guard);
    ~frmSettings() override;

    // Builds the window and its controls, hidden; throws when one cannot be
    // made, and the destructor then destroys what was made.
    void create(HINSTANCE instance);

    // The load event: call once, before the window is first shown.
    void load();
    void show(int showCommand);

    // Keys the window handles for the message loop: Tab in the design's tab
    // order, then the dialog keys. True when the message was handled so.
    bool translateKey(MSG &message);

private:
    static constexpr std::size_t ControlCount = std::size(Design::Controls);

    static LRESULT CALLBACK fieldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

    void moveKeyboardFocus(HWND target);
    void buildControl(HINSTANCE instance, std::size_t index);
    // Lays the window out again at another scale: sizes, places, fonts.
    void applyDpi(int dpi);
    void addToolTips();
    RECT deviceRect(const Design::Control &design) const;
    RECT fieldRect() const;
    RECT controlRect(const Design::Control &design) const;
    HFONT fontOf(const Design::Control &design);
    void sizeWindow();
    SIZE windowSizeAt(int dpi) const;
    void setIcons();
    HFONT fontFor(const Design::Font &font);
    HBRUSH brushFor(std::uint32_t colour);
    const Design::Control *designFor(HWND control) const;

    void onCommand(WPARAM wParam);
    LRESULT onControlColour(UINT message, HDC dc, HWND control);
    void onActivate(WPARAM wParam);
    void onPaint();
    void onDpiChanged(WPARAM wParam, LPARAM lParam);
    bool onGetDpiScaledSize(WPARAM wParam, LPARAM lParam) const;
    void onSystemColoursChanged();
    void onFieldLosesFocus(HWND next);

    int m_dpi = 96;
    bool m_closing = false;
    HWND m_focusWhenActive = nullptr;
    std::wstring m_fontFamily;
    std::vector<std::pair<Design::Font, OwnedFont>> m_fonts;
    std::vector<std::pair<COLORREF, OwnedBrush>> m_brushes;
    OwnedIcon m_bigIcon, m_smallIcon;
    ScreenReaderNotes m_screenReaders;

    std::array<HWND, ControlCount> m_controls{}; // by design row
    HWND m_txtFreq = nullptr;
    HWND m_Description = nullptr;
    HWND m_toolTips = nullptr;
    bool m_toolTipsAsked = false;
    std::vector<std::unique_ptr<PictureBox>> m_boxes;
    std::array<PictureBox *, SwitchCount> m_pics{};
    std::unique_ptr<Win32View> m_view;
    std::unique_ptr<SettingsController> m_controller;
};
