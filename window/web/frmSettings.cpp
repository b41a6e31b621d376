#include "frmSettings.h"

#include "bitmap.h"
#include "design.h"
#include "devicescale.h"
#include "picturefile.h"
#include "reporttext.h"

#include <cstdio>
#include <filesystem>

using emscripten::val;

namespace {

// The page's pictures lie in a folder of the module's memory of their own.
constexpr const char *PictureFolder = "/page";

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

void enterPictureFolder()
{
    std::error_code ignored;
    std::filesystem::create_directories(PictureFolder, ignored);
    std::filesystem::current_path(PictureFolder, ignored);
}

void put(std::vector<std::uint8_t> &rgba, int width, int x0, int y0, const Picture &picture)
{
    const int height = int(rgba.size() / 4) / width;
    for (int y = 0; y < picture.height && y0 + y < height; ++y)
        for (int x = 0; x < picture.width && x0 + x < width; ++x) {
            const std::uint32_t pixel = picture.at(x, y);
            std::uint8_t *out =
                &rgba[(std::size_t(y0 + y) * std::size_t(width) + std::size_t(x0 + x)) * 4];
            out[0] = std::uint8_t(pixel >> 16);
            out[1] = std::uint8_t(pixel >> 8);
            out[2] = std::uint8_t(pixel);
            out[3] = 0xFF;
        }
}

} // namespace

frmSettings::frmSettings(val view, const std::string &decimalSeparator,
                         const std::string &minusSign, const std::string &zeroDigit,
                         std::string folder)
    : m_folder(std::move(folder)),
      m_view(std::move(view), [this](const std::string &name) { return readStaged(name); }),
      m_controller(m_view, NumberText(localeFacts(decimalSeparator, minusSign, zeroDigit)))
{
    enterPictureFolder();
}

bool frmSettings::stage(const std::string &fileName, int status, const val &bytes, double size)
{
    return m_guard.run([&] {
        using Kind = FileError::Kind;
        m_problems.erase(fileName);
        const auto problem = [&](Kind kind, const std::string &reason) {
            m_problems.emplace(fileName, FileError(kind, fileName, m_folder, reason));
        };
        std::remove(fileName.c_str());
        if (status == 0)
            return problem(Kind::Unreadable, "the page's server cannot be reached (no network?)");
        if (status == 404 || status == 410)
            return; // no file: the reader says so in its own words
        if (status != 200)
            return problem(Kind::Unreadable,
                           "the server refused it (HTTP status " + std::to_string(status) + ")");
        const std::vector<std::uint8_t> data =
            emscripten::convertJSArrayToNumberVector<std::uint8_t>(bytes);
        if (data.size() > LargestBitmapFile)
            return problem(Kind::Damaged, tooLargeReason(std::max<std::uint64_t>(
                                              data.size(), size > 0 ? std::uint64_t(size) : 0)));
        std::FILE *file = std::fopen(fileName.c_str(), "wb");
        const bool written = file && std::fwrite(data.data(), 1, data.size(), file) == data.size();
        if (file)
            std::fclose(file);
        if (!written)
            problem(Kind::Unreadable, "the page has no room to keep it");
    });
}

Picture frmSettings::readStaged(const std::string &fileName) const
{
    if (const auto problem = m_problems.find(fileName); problem != m_problems.end())
        throw problem->second;
    return readPictureFile(fileName);
}

bool frmSettings::load()
{
    return m_guard.run([&] {
        m_housing = readStaged(Design::control("picDIP_SW").picture);
        m_controller.Form_Load();
    });
}

bool frmSettings::check(const std::string &fileName)
{
    return m_guard.run([&] { readStaged(fileName); });
}

bool frmSettings::click(int k)
{
    return m_guard.run([&] { m_controller.picClick(k); });
}

bool frmSettings::leaveField(bool toAnotherControl)
{
    return m_guard.run([&] { m_controller.fieldLostFocus(toAnotherControl); });
}

val frmSettings::report() const
{
    std::exception_ptr error = m_guard.error();
    // The reader names the module's memory; the user knows the page's address.
    try {
        if (error)
            std::rethrow_exception(error);
    } catch (const FileError &file) {
        error = std::make_exception_ptr(
            FileError(file.kind(), file.fileName(), m_folder, file.reason()));
    } catch (...) {
    }
    const ReportText text = reportText(error, PictureSource::Server);
    val out = val::object();
    out.set("title", std::string(ReportTitle));
    out.set("text", text.text);
    out.set("folder", text.folder);
    return out;
}

val frmSettings::block(int dpi, bool phone)
{
    using namespace Design;
    const Arrangement arrangement = phone ? Arrangement::Phone : Arrangement::Desktop;
    int width = 0, height = 0;
    m_guard.run([&] {
        width = deviceOf(clientRect(arrangement).width, dpi);
        height = deviceOf(clientRect(arrangement).height, dpi);
        m_block.assign(std::size_t(width) * std::size_t(height) * 4, 0);
        const auto draw = [&](const Control &design, const Picture &picture) {
            const WindowRect at = windowRect(design, arrangement);
            put(m_block, width, deviceOf(at.left, dpi), deviceOf(at.top, dpi),
                atDeviceScale(picture, at.left, at.top, dpi));
        };
        if (m_housing.width > 0)
            draw(control("picDIP_SW"), m_housing);
        for (int k = 1; k <= 8; ++k)
            draw(switchControl(k), m_view.picture(k));
    });
    if (m_guard.failed())
        width = height = 0, m_block.clear();
    val out = val::object();
    out.set("width", width);
    out.set("height", height);
    out.set("rgba", val(emscripten::typed_memory_view(m_block.size(), m_block.data())));
    return out;
}

bool isPicture(const val &bytes)
{
    try {
        const std::vector<std::uint8_t> data =
            emscripten::convertJSArrayToNumberVector<std::uint8_t>(bytes);
        Picture picture;
        return data.size() <= LargestBitmapFile && !decodeBitmap(data, picture);
    } catch (...) {
        return false;
    }
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
        for (const auto &[key, arrangement] : {std::pair{"rect", Arrangement::Desktop},
                                               std::pair{"phoneRect", Arrangement::Phone}}) {
            const WindowRect r = windowRect(c, arrangement);
            out.set(key, val::array(std::vector<int>{r.left, r.top, r.width, r.height}));
        }
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
    out.set("leverReach",
            val::array(std::vector<int>{pixels(LeverReach[0]), pixels(LeverReach[1]),
                                        pixels(LeverReach[2]), pixels(LeverReach[3])}));
    out.set("maxLength", FrequencyMaxLength);
    out.set("controls", controls);
    out.set("tabOrder", order);
    out.set("largestFile", double(LargestBitmapFile));
    return out;
}
