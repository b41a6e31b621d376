// The module the web page loads: the window's entry points and its design.
#include "devicescale.h"
#include "frmSettings.h"

#include <emscripten/bind.h>

EMSCRIPTEN_BINDINGS(corvex_settings)
{
    using namespace emscripten;
    class_<frmSettings>("frmSettings")
        .constructor<val, std::string, std::string, std::string, std::string>()
        .function("stage", &frmSettings::stage)
        .function("check", &frmSettings::check)
        .function("load", &frmSettings::load)
        .function("click", &frmSettings::click)
        .function("key", &frmSettings::key)
        .function("leaveField", &frmSettings::leaveField)
        .function("open", &frmSettings::open)
        .function("address", &frmSettings::address)
        .function("chart", &frmSettings::chart)
        .function("channel", &frmSettings::channel)
        .function("failed", &frmSettings::failed)
        .function("report", &frmSettings::report)
        .function("block", &frmSettings::block)
        .function("levers", &frmSettings::levers);
    function("design", &designTable);
    function("isPicture", &isPicture);
    function("deviceOf", &deviceOf);
    function("borderWidth", &borderWidth);
    function("windowDpi", &Design::windowDpi);
    function("deviceBox", &deviceBox);
}
