// Feeds arbitrary text to the frequency field and checks, after every
// validation, that the tuning state is one the window may show.
#include "controller.h"
#include "recordingview.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

void require(bool condition, const char *what, const std::string &text)
{
    if (!condition) {
        std::fprintf(stderr, "%s for text \"%s\"\n", what, text.c_str());
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static RecordingView view;
    static SettingsController controller = [] {
        SettingsController c(view, NumberText(ArabicFacts)); // the most involved locale
        c.Form_Load();
        return c;
    }();
    // A leading byte below 8 clicks that switch first, so clicks and typed
    // values mix in one run.
    if (size > 0 && data[0] < 8) {
        controller.picClick(data[0] + 1);
        ++data;
        --size;
    }
    const std::string text(reinterpret_cast<const char *>(data), size);
    view.fieldText = text;
    view.picturesSet = 0;
    controller.fieldLostFocus(true);

    // What the window shows and its address carries: the switches' code, the frequency set.
    const double frequency = std::strtod(controller.frequencyInAddress().c_str(), nullptr);
    require(frequency >= 82.5 && frequency <= 108.0, "frequency out of band", text);
    const double channel = 82.5 + view.code / 10.0;
    require(std::fabs(frequency - channel) <= 0.05 + 1e-9, "switches not the nearest channel",
            text);
    require(view.picturesSet == 8 && view.picturesMatchPositions,
            "the pictures do not show the switches", text);
    return 0;
}
