#pragma once

#include "bitmap.h"
#include "settingsview.h"
#include "tuningrecord.h"

#include <array>
#include <emscripten/val.h>
#include <functional>
#include <memory>

// The controller's view operations, bound to the page's controls through the
// view object's methods: readFrequencyText, showFrequencyText,
// setFrequencyColour, setBandWarning, setSwitch, setDescription,
// focusSwitch and announce. The switch pictures stay here, decoded, until the page draws
// them.
class WebView : public SettingsView
{
public:
    using PictureReader =
        std::function<std::shared_ptr<const Picture>(const std::string &fileName)>;

    WebView(emscripten::val controls, PictureReader read);

    std::string readFrequencyText() override;
    void showFrequencyText(const std::string &text) override;
    void setFrequencyColour(std::uint32_t colour) override;
    void setFrequencyBelowBand(bool below) override;
    void setSwitchPicture(int k, const std::string &fileName, SwitchPosition position) override;
    void setDescription(const std::string &text) override;
    void focusSwitch(int k, FocusCue cue) override;
    void announce(const SwitchChange &change) override;

    const Picture &picture(int k) const;

private:
    emscripten::val m_controls;
    PictureReader m_read;
    std::array<std::shared_ptr<const Picture>, SwitchCount>
        m_pictures; // shared with the staged ones
};

// A design colour as CSS: a system colour by its CSS name, so that the
// user's theme and forced colours apply, or #rrggbb.
std::string cssColour(std::uint32_t colour);
