#include "controller.h"
#include "recordingview.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

// Runs actions separated by blanks: load, click:K, type:TEXT (the locale's
// separator for '.'), validate, tab (the focus to another control) and
// deactivate (to another window).
void run(SettingsController &controller, RecordingView &view, const std::string &actions,
         const std::string &separator)
{
    std::istringstream words(actions);
    for (std::string action; words >> action;) {
        if (const auto dot = action.find('.'); dot != std::string::npos)
            action.replace(dot, 1, separator);
        if (action == "load")
            controller.Form_Load();
        else if (action == "validate" || action == "tab" || action == "deactivate")
            controller.fieldLostFocus(action != "deactivate");
        else if (action.starts_with("click:"))
            controller.picClick(std::stoi(action.substr(6)));
        else if (action.starts_with("type:"))
            view.fieldText = action.substr(5);
        else
            FAIL() << action;
    }
}

} // namespace

TEST(Controller, EventsShowWhatTheUserSees)
{
    constexpr std::uint32_t Design = 0x80000008, Black = 0, Red = 255;
    const struct {
        const char *actions;
        const char *text; // '.' the locale's separator
        std::uint32_t colour;
        int code;
    } rows[] = {
        {"load", "87.5", Design, 50},
        {"load click:1", "87.6", Black, 51},
        {"load click:6", "84.3", Red, 18},
        {"load click:1 click:3 click:4 click:7 click:8", "108", Black, 255},
        {"load click:2 click:5 click:6", "82.5", Red, 0},
        {"load type:85 validate", "85", Red, 25},
        {"load type:87.56 validate", "87.56", Black, 51},
        {"load type:87.49 validate", "87.49", Red, 50},
        {"load type:200 validate", "87.5", Black, 50},
        {"load type:82.4 tab", "87.5", Black, 50},
        {"load type:abc validate", "87.5", Black, 50},
        {"load type: validate", "87.5", Black, 50},
        {"load type:108 validate", "108", Black, 255},
        {"load type:82.5 validate", "82.5", Red, 0},
        {"load type:95.3 validate click:1", "95.4", Black, 129},
        {"load type:85 validate type:200 validate", "87.5", Black, 50},
        {"load type:85 deactivate", "85", Design, 50},
    };
    for (const LocaleFacts *facts : {&CFacts, &GermanFacts}) {
        for (const auto &row : rows) {
            SCOPED_TRACE(facts->decimalSeparator + " " + row.actions);
            RecordingView view;
            SettingsController controller(view, NumberText(*facts));
            run(controller, view, row.actions, facts->decimalSeparator);
            std::string text = row.text;
            if (const auto dot = text.find('.'); dot != std::string::npos)
                text.replace(dot, 1, facts->decimalSeparator);
            EXPECT_EQ(view.fieldText, text);
            EXPECT_EQ(view.colour, row.colour);
            EXPECT_EQ(view.code, row.code);
            EXPECT_TRUE(view.picturesMatchPositions);
            EXPECT_EQ(view.description,
                      "Type a frequency into the field\r\nand click on the dip - "
                      "switch\r\nor click on the dip - switch to get the frequency");
        }
    }
}

TEST(Controller, ClickingCountsThroughEveryCode)
{
    // Counting up in binary with clicks passes every code once.
    RecordingView view;
    SettingsController controller(view);
    controller.Form_Load();
    int code = 50;
    for (int step = 0; step < 256; ++step) {
        const int next = (code + 1) % 256;
        for (int k = 1; k <= 8; ++k)
            if (((code ^ next) >> (k - 1)) & 1)
                controller.picClick(k);
        code = next;
        const int tenths = 825 + code;
        const std::string expected =
            std::to_string(tenths / 10) + (tenths % 10 ? "." + std::to_string(tenths % 10) : "");
        ASSERT_EQ(view.fieldText, expected);
        ASSERT_EQ(view.code, code);
        ASSERT_EQ(controller.record().intCode, code);
    }
}
