#pragma once

#include "settingsview.h"

#include <string>
#include <vector>

// Logs every view operation as one line, so a test can compare the whole
// sequence that an event produces.
class RecordingView : public SettingsView
{
public:
    std::string fieldText;
    std::vector<std::string> log;

    std::string readFrequencyText() override
    {
        log.push_back("read");
        return fieldText;
    }
    void showFrequencyText(const std::string &text) override
    {
        fieldText = text;
        log.push_back("text " + text);
    }
    void setFrequencyColour(std::uint32_t colour) override
    {
        log.push_back("colour " + std::to_string(colour));
    }
    void setSwitchPicture(int k, const std::string &fileName, SwitchPosition position) override
    {
        const bool off = position == SwitchPosition::Off;
        log.push_back("picture " + std::to_string(k) + " " + fileName +
                      (off == (fileName == "OFF_SW.bmp") ? "" : " in the other position"));
    }
    void setDescription(const std::string &text) override { log.push_back("description " + text); }
};

// How three locales write numbers: plain, decimal comma, Arabic-Indic digits.
inline const LocaleFacts CFacts{};
inline const LocaleFacts GermanFacts{",", "-", U'0'};
inline const LocaleFacts ArabicFacts{"\u066B", "\u061C-", U'\u0660'};
