#include "frmSettings.h"

#include "bitmap.h"
#include "channelchart.h"
#include "design.h"
#include "devicescale.h"
#include "housing.h"
#include "picturefile.h"
#include "reporttext.h"

#include <algorithm>
#include <cmath>

using emscripten::val;

namespace {

LocaleFacts localeFacts(const std::string &separator, const std::string &minus,
                        const std::string &zero)
{
    LocaleFacts facts;
    facts.decimalSeparator = separator.empty() ? "." : separator;
    facts.minusSign = minus.empty() ? "-" : minus;
    const auto digits = decodeUtf8(zero);
    if (digits && digits->size() == 1)
        facts.zeroDigit = (*digits)[0];
    return facts;
}

} // namespace

frmSettings::frmSettings(val view, const std::string &decimalSeparator,
                         const std::string &minusSign, const std::string &zeroDigit,
                         std::string folder)
    : m_folder(std::move(folder)),
      m_view(std::move(view), [this](const std::string &name) { return readStaged(name); }),
      m_controller(m_view, NumberText(localeFacts(decimalSeparator, minusSign, zeroDigit)))
{
}

bool frmSettings::stage(const std::string &fileName, int status, const val &bytes, double size)
{
    return m_guard.run([&] {
        m_staged.erase(fileName);
        const std::vector<std::uint8_t> data =
            emscripten::convertJSArrayToNumberVector<std::uint8_t>(bytes);
        try {
            m_staged.emplace(fileName, std::make_shared<const Picture>(readFetchedPicture(
                                           fileName, m_folder, status, data, size)));
        } catch (const FileError &refused) { // told when an event reads it
            m_staged.emplace(fileName, refused);
        }
    });
}

std::shared_ptr<const Picture> frmSettings::readStaged(const std::string &fileName) const
{
    const auto staged = m_staged.find(fileName);
    if (staged == m_staged.end())
        throw FileError(FileError::Kind::Missing, fileName, m_folder, NoSuchFileReason);
    if (const FileError *problem = std::get_if<FileError>(&staged->second))
        throw *problem;
    return std::get<std::shared_ptr<const Picture>>(staged->second);
}

bool frmSettings::load()
{
    return m_guard.run([&] {
        // The housing is the program's own artwork, carried in the module.
        m_housing = decodeOwnPicture(Design::control("picDIP_SW").picture,
                                     std::span(HousingBitmap, HousingBitmapSize));
        m_controller.Form_Load();
    });
}

bool frmSettings::check(const std::string &fileName)
{
    return m_guard.run([&] { readStaged(fileName); });
}

bool frmSettings::click(int k)
{
    return m_guard.run([&] { m_controller.switchPressed(k); });
}

bool frmSettings::key(int k, const std::string &name, bool released, int modifiers, bool repeated)
{
    const SwitchKey key = name == "ArrowLeft"    ? SwitchKey::Left
                          : name == "ArrowUp"    ? SwitchKey::Up
                          : name == "ArrowRight" ? SwitchKey::Right
                          : name == "ArrowDown"  ? SwitchKey::Down
                          : name == " "          ? SwitchKey::Space
                                                 : SwitchKey::Other;
    bool consumed = false;
    m_guard.run([&] {
        const KeyModifiers held{(modifiers & 1) != 0, (modifiers & 2) != 0, (modifiers & 4) != 0,
                                (modifiers & 8) != 0};
        consumed = m_controller.switchKey(k, key, released ? KeyPhase::Released : KeyPhase::Pressed,
                                          held, repeated);
    });
    return consumed;
}

bool frmSettings::leaveField(bool toAnotherControl)
{
    return m_guard.run([&] { m_controller.fieldLostFocus(toAnotherControl); });
}

bool frmSettings::open(const std::string &fragment)
{
    return m_guard.run([&] { m_controller.openAddress(fragment); });
}

std::string frmSettings::address() const
{
    return m_controller.frequencyInAddress();
}

int frmSettings::channel() const
{
    return m_controller.channel();
}

val frmSettings::chart()
{
    val columns = val::array();
    m_guard.run([&] {
        const std::vector<ChartRow> chart = channelChart(m_controller.numbers());
        for (std::size_t first = 0; first < chart.size(); first += Design::ChartColumnRows) {
            const std::size_t end = std::min(chart.size(), first + Design::ChartColumnRows);
            val rows = val::array();
            for (std::size_t i = first; i < end; ++i) {
                const ChartRow &r = chart[i];
                val row = val::object();
                row.set("frequency", r.frequency);
                row.set("below", r.belowBand);
                val on = val::array();
                for (SwitchPosition position : r.switches)
                    on.call<void>("push", position == SwitchPosition::On);
                row.set("on", on);
                rows.call<void>("push", row);
            }
            val column = val::object();
            column.set("name",
                       Design::chartColumnName(chart[first].frequency, chart[end - 1].frequency));
            column.set("rows", rows);
            columns.call<void>("push", column);
        }
    });
    return columns;
}

val frmSettings::report() const
{
    const ReportText report = reportText(m_guard.error(), PictureSource::Server);
    val out = val::object();
    for (const auto &[key, part] :
         {std::pair{"title", &report.title}, std::pair{"opening", &report.opening},
          std::pair{"happened", &report.happened}, std::pair{"folder", &report.folder},
          std::pair{"reason", &report.reason}, std::pair{"whatToDo", &report.whatToDo}})
        out.set(key, *part);
    return out;
}

val frmSettings::block(int dpi, bool phone)
{
    using namespace Design;
    m_guard.run([&] {
        m_dpi = dpi;
        m_arrangement = phone ? Arrangement::Phone : Arrangement::Desktop;
        const WindowRect client = clientRect(m_arrangement);
        m_block.reset(deviceOf(client.width, dpi), deviceOf(client.height, dpi), 1 + SwitchCount);
        const WindowRect housing = windowRect(control("picDIP_SW"), m_arrangement);
        m_block.show(0, atDeviceScale(m_housing, housing.left, housing.top, dpi),
                     deviceOf(housing.left, dpi), deviceOf(housing.top, dpi));
        for (int k = 1; k <= SwitchCount; ++k)
            showSwitch(k);
    });
    if (m_guard.failed())
        m_block.reset(0, 0, 0);
    val out = val::object();
    out.set("width", m_block.width());
    out.set("height", m_block.height());
    out.set("rgba",
            val(emscripten::typed_memory_view(m_block.rgba().size(), m_block.rgba().data())));
    return out;
}

val frmSettings::levers(int changed)
{
    DeviceRect region{};
    m_guard.run([&] {
        for (int k = 1; k <= SwitchCount && m_block.width() > 0; ++k)
            if (changed & 1 << (k - 1))
                region = unite(region, showSwitch(k));
        m_region = m_block.bytesOf(region);
    });
    if (m_guard.failed() || m_region.empty())
        region = {}, m_region.clear();
    val out = val::object();
    out.set("left", region.left);
    out.set("top", region.top);
    out.set("width", region.right - region.left);
    out.set("height", region.bottom - region.top);
    out.set("rgba", val(emscripten::typed_memory_view(m_region.size(), m_region.data())));
    return out;
}

DeviceRect frmSettings::showSwitch(int k)
{
    const Design::WindowRect at = Design::windowRect(Design::switchControl(k), m_arrangement);
    return m_block.show(std::size_t(k), atDeviceScale(m_view.picture(k), at.left, at.top, m_dpi),
                        deviceOf(at.left, m_dpi), deviceOf(at.top, m_dpi));
}

bool isPicture(const val &bytes)
{
    try {
        return isPictureFile(emscripten::convertJSArrayToNumberVector<std::uint8_t>(bytes));
    } catch (...) {
        return false;
    }
}

val deviceBox(const std::string &name, bool phone, int dpi, bool inHousing, int pictureWidth,
              int pictureHeight)
{
    using namespace Design;
    val out = val::object();
    try {
        const Arrangement arrangement = phone ? Arrangement::Phone : Arrangement::Desktop;
        const DeviceBox box = Design::deviceBox(control(name.c_str()), arrangement, dpi,
                                                inHousing ? &control("picDIP_SW") : nullptr,
                                                pictureWidth, pictureHeight);
        for (const auto &[key, value] :
             {std::pair{"left", box.left}, std::pair{"top", box.top}, std::pair{"width", box.width},
              std::pair{"height", box.height}})
            out.set(key, value);
        out.set("reach", val::array(std::vector<int>(std::begin(box.reach), std::end(box.reach))));
    } catch (...) {
        // not a control of the design: no box
    }
    return out;
}

val designTable()
{
    using namespace Design;
    const auto font = [](const Font &f) {
        val out = val::object();
        out.set("family", std::string(f.family));
        out.set("points", f.points);
        out.set("bold", f.bold);
        return out;
    };
    val controls = val::array();
    int front = int(std::size(Controls));
    for (const Control &c : Controls) {
        val out = val::object();
        out.set("name", std::string(c.name));
        out.set("kind", c.kind == Kind::TextBox ? "text"
                        : c.kind == Kind::Label ? "label"
                                                : "picture");
        out.set("tabStop", isTabStop(c));
        out.set("layer", front--);
        out.set("text", std::string(c.text));
        out.set("toolTip", std::string(c.toolTip));
        out.set("font", font(c.font.points ? c.font : WindowFont));
        out.set("background", cssColour(c.background));
        out.set("foreground", cssColour(c.foreground));
        out.set("picture", std::string(c.picture));
        out.set("accessibleName", std::string(c.accessibleName));
        out.set("switchNumber", c.switchNumber);
        controls.call<void>("push", out);
    }
    val order = val::array();
    for (const Control *stop : tabOrder())
        order.call<void>("push", std::string(stop->name));
    val faces = val::array();
    for (const char *face : FontSubstitutes)
        faces.call<void>("push", std::string(face));
    val out = val::object();
    out.set("fontSubstitutes", faces);
    out.set("caption", std::string(Caption));
    out.set("client", val::array(std::vector<int>{pixels(ClientWidth), pixels(ClientHeight)}));
    out.set("phoneClient",
            val::array(std::vector<int>{pixels(PhoneClientWidth), pixels(PhoneClientHeight)}));
    out.set("maxLength", FrequencyMaxLength);
    val chart = val::object();
    for (const auto &[key, text] :
         {std::pair{"title", ChartTitle}, std::pair{"link", ChartLink},
          std::pair{"back", ChartBack}, std::pair{"print", ChartPrint}, std::pair{"key", ChartKey},
          std::pair{"frequency", ChartFrequency}, std::pair{"belowSign", ChartBelowSign},
          std::pair{"below", BelowBandText}, std::pair{"on", SwitchOnText},
          std::pair{"off", SwitchOffText}})
        chart.set(key, std::string(text));
    val switchNames = val::array();
    for (int k = 1; k <= SwitchCount; ++k)
        switchNames.call<void>("push", std::string(switchControl(k).accessibleName));
    chart.set("switchNames", switchNames);
    out.set("chart", chart);
    out.set("controls", controls);
    out.set("tabOrder", order);
    return out;
}
