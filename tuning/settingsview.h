#pragma once

#include <cstdint>
#include <string>

// Colours in 0x00BBGGRR form.
inline constexpr std::uint32_t ColourBlack = 0x000000;
inline constexpr std::uint32_t ColourRed = 0x0000FF;

// Where a switch's lever stands: ON is a 0 bit, OFF a 1 bit.
enum class SwitchPosition { On, Off };

// Whether a focus moved by the window shows the cue a keyboard focus shows.
enum class FocusCue { Shown, Hidden };

// The switches changed at the user's hand: what a screen reader is told,
// the focus staying where it is.
struct SwitchChange {
    std::string frequency; // as the field's numbers write it
    bool belowBand;
    int flipped;             // the switch the user flipped, 0 when a typed frequency set them
    SwitchPosition position; // the flipped switch's new position
};

// What the settings controller needs of the window, and nothing more.
// Texts are UTF-8.
class SettingsView
{
public:
    virtual ~SettingsView() = default;

    virtual std::string readFrequencyText() = 0;
    virtual void showFrequencyText(const std::string &text) = 0;
    virtual void setFrequencyColour(std::uint32_t colour) = 0;
    // The frequency shown lies below the broadcast band (87.5 MHz): screen
    // readers are told so as the field's description, not by its colour alone.
    virtual void setFrequencyBelowBand(bool below) = 0;
    // Loads the named image file and shows it as switch k (1..8), which now
    // stands in that position (for screen readers).
    virtual void setSwitchPicture(int k, const std::string &fileName, SwitchPosition position) = 0;
    virtual void setDescription(const std::string &text) = 0;
    // Moves the focus to switch k (the field, when it had the focus, then
    // loses it), showing the keyboard's cue or, as after a click, none.
    virtual void focusSwitch(int k, FocusCue cue) = 0;
    // Told once for each change, after the window shows all of it.
    virtual void announce(const SwitchChange &change) = 0;
};
