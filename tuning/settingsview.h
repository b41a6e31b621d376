#pragma once

#include <QString>
#include <cstdint>

// Colours in 0x00BBGGRR form.
inline constexpr std::uint32_t ColourBlack = 0x000000;
inline constexpr std::uint32_t ColourRed = 0x0000FF;

// What the settings controller needs of the window, and nothing more.
class SettingsView
{
public:
    virtual ~SettingsView() = default;

    virtual QString readFrequencyText() = 0;
    virtual void showFrequencyText(const QString &text) = 0;
    virtual void setFrequencyColour(std::uint32_t colour) = 0;
    // Loads the named image file and shows it as switch k (1..8).
    virtual void setSwitchPicture(int k, const QString &fileName) = 0;
    virtual void setDescription(const QString &text) = 0;
};
