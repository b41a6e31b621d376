#include "controller.h"
#include "recordingview.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

using Log = std::vector<std::string>;

// The eight picture operations for a switch code, from its bits.
Log picturesOf(int code)
{
    Log lines;
    for (int k = 1; k <= 8; ++k)
        lines.push_back("picture " + std::to_string(k) +
                        ((code >> (k - 1)) & 1 ? " OFF_SW.bmp" : " ON_SW.bmp"));
    return lines;
}

Log operator+(Log a, const Log &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Runs actions separated by blanks: load, click:K, type:TEXT, validate.
void run(SettingsController &controller, RecordingView &view, const std::string &actions)
{
    std::istringstream words(actions);
    for (std::string action; words >> action;) {
        if (action == "load")
            controller.Form_Load();
        else if (action == "validate")
            controller.txtFreq_Validate();
        else if (action == "tab")
            controller.fieldLostFocus(true);
        else if (action == "deactivate")
            controller.fieldLostFocus(false);
        else if (action.starts_with("click:"))
            controller.picClick(std::stoi(action.substr(6)));
        else if (action.starts_with("type:"))
            view.fieldText = action.substr(5);
        else
            FAIL() << action;
    }
}

std::string localised(std::string text, const std::string &separator)
{
    for (std::size_t at = 0; (at = text.find('.', at)) != std::string::npos; at += separator.size())
        text.replace(at, 1, separator);
    return text;
}

const std::string Description =
    "description Type a frequency into the field\r\nand click on the dip - switch\r\n"
    "or click on the dip - switch to get the frequency";

} // namespace

TEST(Controller, EventsProduceTheseViewOperations)
{
    const Log read{"read"};
    const Log readTwice{"read", "read"};
    const Log reset = Log{"colour 0", "text 87.5"} + picturesOf(50);
    const struct {
        const char *name;
        std::string before;
        std::string actions;
        Log expected;
    } rows[] = {
        {"start", "", "load", Log{"text 87.5"} + picturesOf(50) + Log{Description}},
        {"click 1 after start",
         "load",
         "click:1",
         {"picture 1 OFF_SW.bmp", "colour 0", "text 87.6"}},
        {"click 6 after start",
         "load",
         "click:6",
         {"picture 6 ON_SW.bmp", "colour 255", "text 84.3"}},
        {"all OFF",
         "load click:1 click:3 click:4 click:7",
         "click:8",
         {"picture 8 OFF_SW.bmp", "colour 0", "text 108"}},
        {"all ON",
         "load click:2 click:5",
         "click:6",
         {"picture 6 ON_SW.bmp", "colour 255", "text 82.5"}},
        {"type 85", "load type:85", "validate", readTwice + Log{"colour 255"} + picturesOf(25)},
        {"type 87.56", "load type:87.56", "validate", readTwice + Log{"colour 0"} + picturesOf(51)},
        {"type 87.49", "load type:87.49", "validate",
         readTwice + Log{"colour 255"} + picturesOf(50)},
        {"type 200", "load type:200", "validate", readTwice + reset},
        {"type 82.4", "load type:82.4", "validate", readTwice + reset},
        {"type a word", "load type:abc", "validate", read + reset},
        {"type nothing", "load type:", "validate", read + reset},
        {"type 108", "load type:108", "validate", readTwice + Log{"colour 0"} + picturesOf(255)},
        {"type 82.5", "load type:82.5", "validate", readTwice + Log{"colour 255"} + picturesOf(0)},
        {"type 95.3 then click 1", "load type:95.3", "validate click:1",
         readTwice + Log{"colour 0"} + picturesOf(128) +
             Log{"picture 1 OFF_SW.bmp", "colour 0", "text 95.4"}},
        {"reset after red turns black", "load type:85 validate", "type:200 validate",
         readTwice + reset},
        {"unchanged text validated again", "load", "validate",
         readTwice + Log{"colour 0"} + picturesOf(50)},
        {"focus to another control validates", "load type:85", "tab",
         readTwice + Log{"colour 255"} + picturesOf(25)},
        {"focus to another window does not", "load type:85", "deactivate", {}},
    };
    for (const LocaleFacts *facts : {&CFacts, &GermanFacts}) {
        const std::string &separator = facts->decimalSeparator;
        for (const auto &row : rows) {
            SCOPED_TRACE(separator + " " + row.name);
            RecordingView view;
            SettingsController controller(view, NumberText(*facts));
            run(controller, view, localised(row.before, separator));
            view.log.clear();
            run(controller, view, localised(row.actions, separator));
            Log expected;
            for (const std::string &line : row.expected)
                expected.push_back(line.starts_with("text") ? localised(line, separator) : line);
            EXPECT_EQ(view.log, expected);
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
        ASSERT_EQ(controller.record().intCode, code);
    }
}
