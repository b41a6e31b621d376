#include "webview.h"

#include "design.h"

using emscripten::val;

WebView::WebView(val controls, PictureReader read)
    : m_controls(std::move(controls)), m_read(std::move(read))
{
}

std::string WebView::readFrequencyText()
{
    return m_controls.call<std::string>("readFrequencyText");
}

void WebView::showFrequencyText(const std::string &text)
{
    m_controls.call<void>("showFrequencyText", text);
}

void WebView::setFrequencyColour(std::uint32_t colour)
{
    m_controls.call<void>("setFrequencyColour", cssColour(colour));
}

void WebView::setFrequencyBelowBand(bool below)
{
    m_controls.call<void>("setBandWarning", std::string(below ? Design::BelowBandText : ""));
}

void WebView::setSwitchPicture(int k, const std::string &fileName, SwitchPosition position)
{
    const Picture &shown = *(m_pictures.at(std::size_t(k - 1)) = m_read(fileName));
    const bool on = position == SwitchPosition::On;
    m_controls.call<void>("setSwitch", k, on,
                          std::string(on ? Design::SwitchOnText : Design::SwitchOffText),
                          shown.width, shown.height);
}

const Picture &WebView::picture(int k) const
{
    static const Picture none;
    const auto &shown = m_pictures.at(std::size_t(k - 1));
    return shown ? *shown : none;
}

void WebView::setDescription(const std::string &text)
{
    m_controls.call<void>("setDescription", text);
}

void WebView::focusSwitch(int k, FocusCue cue)
{
    m_controls.call<void>("focusSwitch", k, cue == FocusCue::Shown);
}

void WebView::announce(const SwitchChange &change)
{
    // Browsers tell a focused switch's new description, its position, themselves.
    SwitchChange frequency = change;
    frequency.flipped = 0;
    m_controls.call<void>("announce", Design::spokenChange(frequency));
}

std::string cssColour(std::uint32_t colour)
{
    switch (colour) {
    case Design::WindowBackground:
        return "Canvas";
    case Design::WindowText:
        return "CanvasText";
    case Design::ActiveBorder: // CSS names no window border
        return "color-mix(in srgb, ButtonFace " + std::to_string(100 - Design::BorderShadePercent) +
               "%, ButtonText)";
    case Design::ButtonFace:
        return "ButtonFace";
    case Design::ButtonText:
        return "ButtonText";
    }
    std::string hex = "#";
    for (const int shift : {0, 4, 12, 8, 20, 16}) // red, green, blue, high nibble first
        hex += "0123456789abcdef"[(colour >> shift) & 0xf];
    return hex;
}
