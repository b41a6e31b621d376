#pragma once

#include "settingsview.h"
#include "tuningrecord.h"

#include <array>
#include <functional>
#include <memory>
#include <windows.h>

class PictureBox;
class ScreenReaderNotes;

// The controller's view operations, bound to the window's controls.
class Win32View : public SettingsView
{
public:
    Win32View(HWND txtFreq, HWND Description, const std::array<PictureBox *, SwitchCount> &pics,
              ScreenReaderNotes &screenReaders, std::function<void(HWND)> moveKeyboardFocus);

    std::string readFrequencyText() override;
    void showFrequencyText(const std::string &text) override;
    void setFrequencyColour(std::uint32_t colour) override;
    void setFrequencyBelowBand(bool below) override;
    void setSwitchPicture(int k, const std::string &fileName, SwitchPosition position) override;
    void setDescription(const std::string &text) override;
    void focusSwitch(int k, FocusCue cue) override;
    void announce(const SwitchChange &change) override;

    // The text colour of the field as last set, a design colour, for the
    // window's WM_CTLCOLOREDIT.
    std::uint32_t frequencyColour() const { return m_frequencyColour; }

private:
    HWND m_txtFreq;
    HWND m_Description;
    std::array<PictureBox *, SwitchCount> m_pics;
    std::uint32_t m_frequencyColour;
    ScreenReaderNotes &m_screenReaders;
    std::function<void(HWND)> m_moveKeyboardFocus;
};

// A design colour (0x00BBGGRR, or a system colour by index) as a COLORREF,
// the system's colour as it is now.
COLORREF toColorRef(std::uint32_t colour);
