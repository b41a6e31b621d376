#pragma once

#include "settingsview.h"
#include "tuningrecord.h"

#include <array>

class Announcer;
class QLabel;
class QLineEdit;
class SwitchPicture;

// The controller's view operations, bound to the window's controls.
class WidgetView : public SettingsView
{
public:
    WidgetView(QLineEdit *txtFreq, QLabel *Description,
               const std::array<SwitchPicture *, SwitchCount> &pics, Announcer *announcer);

    std::string readFrequencyText() override;
    void showFrequencyText(const std::string &text) override;
    void setFrequencyColour(std::uint32_t colour) override;
    void setFrequencyBelowBand(bool below) override;
    void setSwitchPicture(int k, const std::string &fileName, SwitchPosition position) override;
    void setDescription(const std::string &text) override;
    void focusSwitch(int k, FocusCue cue) override;
    void announce(const SwitchChange &change) override;

    // The field's text colour as last set, a design colour.
    std::uint32_t frequencyColour() const { return m_frequencyColour; }

private:
    QLineEdit *m_txtFreq;
    QLabel *m_Description;
    std::array<SwitchPicture *, SwitchCount> m_pics;
    Announcer *m_announcer;
    std::uint32_t m_frequencyColour;
};
