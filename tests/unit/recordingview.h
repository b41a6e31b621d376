#pragma once

#include "settingsview.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

// What the window shows, as the controller last set it.
class RecordingView : public SettingsView
{
public:
    std::string fieldText, description;
    std::uint32_t colour = 0x80000008; // the field's design colour, window text
    int code = 0;                      // the switch code the pictures show
    int picturesSet = 0;
    bool picturesMatchPositions = true;
    bool belowBand = false;
    int focusedSwitch = 0;
    FocusCue cue = FocusCue::Hidden;
    // The focus starts in the field; as it leaves, the window's focus-out
    // event calls this, as each binding routes it.
    bool fieldFocused = true;
    std::function<void()> fieldLeft;
    std::vector<SwitchChange> changes; // told to screen readers

    std::string readFrequencyText() override { return fieldText; }
    void showFrequencyText(const std::string &text) override { fieldText = text; }
    void setFrequencyColour(std::uint32_t value) override { colour = value; }
    void setFrequencyBelowBand(bool below) override { belowBand = below; }
    void setSwitchPicture(int k, const std::string &fileName, SwitchPosition position) override
    {
        const bool off = fileName == "OFF_SW.bmp";
        picturesMatchPositions &= off == (position == SwitchPosition::Off);
        code = (code & ~(1 << (k - 1))) | (off ? 1 << (k - 1) : 0);
        ++picturesSet;
    }
    void setDescription(const std::string &text) override { description = text; }
    void focusSwitch(int k, FocusCue shown) override
    {
        focusedSwitch = k;
        cue = shown;
        if (std::exchange(fieldFocused, false) && fieldLeft)
            fieldLeft();
    }
    void announce(const SwitchChange &change) override { changes.push_back(change); }
};

// How three locales write numbers: plain, decimal comma, Arabic-Indic digits.
inline const LocaleFacts CFacts{};
inline const LocaleFacts GermanFacts{",", "-", U'0'};
inline const LocaleFacts ArabicFacts{"\u066B", "\u061C-", U'\u0660'};
