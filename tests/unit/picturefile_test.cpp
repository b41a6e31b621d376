#include "bitmapwriter.h"
#include "composition.h"
#include "design.h"
#include "devicescale.h"
#include "platformfileopener.h"
#include "reporttext.h"
#include "runtimeerror.h"

#include <bit>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace {

Bytes cut(Bytes bytes, std::size_t size)
{
    bytes.resize(size);
    return bytes;
}

// A bitmap of 4 x 2 pixels with two colours and these pixel bytes.
Bytes runLength(const Bytes &stream, int compression = 1, int bitsPerPixel = 8)
{
    BitmapWriter w;
    w.u8('B'), w.u8('M'), w.u32(0), w.u32(0), w.u32(14 + 40 + 8);
    w.u32(40), w.u32(4), w.u32(2), w.u16(1), w.u16(std::uint32_t(bitsPerPixel));
    w.u32(std::uint32_t(compression)), w.u32(std::uint32_t(stream.size()));
    w.u32(0), w.u32(0), w.u32(2), w.u32(0);
    w.u32(0x0000FF), w.u32(0x00FF00); // index 0 blue, 1 green
    w.bytes.insert(w.bytes.end(), stream.begin(), stream.end());
    return w.bytes;
}

// What a GDI-style decoder makes of an 8-bit channel stored in `bits` bits.
std::uint32_t widened(std::uint32_t channel, int bits)
{
    if (bits >= 8)
        return channel;
    const std::uint32_t v = channel >> (8 - bits);
    switch (bits) {
    case 4:
        return v << 4 | v;
    case 5:
        return v << 3 | v >> 2;
    case 6:
        return v << 2 | v >> 4;
    }
    ADD_FAILURE() << bits << " bits";
    return 0;
}

std::uint32_t expectedPixel(const BitmapForm &form, int x, int y)
{
    const std::uint32_t rgb = TestColours[testIndex(form, x, y)];
    if (form.bitsPerPixel <= 8 || form.bitsPerPixel == 24 ||
        (form.bitsPerPixel == 32 && form.compression == 0))
        return 0xFF000000 | rgb;
    const std::array<std::uint32_t, 3> masks =
        form.compression == 3 ? form.masks : std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x1F};
    std::uint32_t pixel = 0xFF000000;
    for (int c = 0; c < 3; ++c)
        pixel |= widened((rgb >> (16 - 8 * c)) & 0xFF, std::popcount(masks[std::size_t(c)]))
                 << (16 - 8 * c);
    return pixel;
}

std::string problemOf(const Bytes &bytes, Picture *decoded = nullptr)
{
    Picture picture;
    const auto problem = decodeBitmap(bytes, picture);
    if (decoded)
        *decoded = picture;
    return problem.value_or("");
}

void writeFile(const fs::path &name, const Bytes &bytes)
{
    std::ofstream(name, std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
}

// With CORVEX_BITMAP_CORPUS set, the bitmaps the decoder takes also seed its
// fuzzer and the run of the Linux program under valgrind.
void addToCorpus(const std::string &name, const Bytes &bytes)
{
    if (const char *corpus = std::getenv("CORVEX_BITMAP_CORPUS"))
        writeFile(fs::path(corpus) / (name + ".bmp"), bytes);
}

class PictureFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = fs::current_path();
        // A folder of this test's own, whatever else runs beside it.
        m_dir = fs::temp_directory_path() /
                ("corvex-picturefile-" +
                 std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        fs::current_path(m_dir);
    }
    void TearDown() override
    {
        fs::current_path(m_previous);
        fs::remove_all(m_dir);
    }
    fs::path m_previous, m_dir;
};

} // namespace

TEST(Bitmap, EveryFormDecodesToItsExactPixels)
{
    for (const BitmapForm &form : BitmapForms) {
        SCOPED_TRACE(form.name);
        const Bytes bytes = writeBitmap(form);
        addToCorpus(form.name, bytes);
        Picture picture;
        ASSERT_EQ(problemOf(bytes, &picture), "");
        ASSERT_EQ(picture.width, TestWidth);
        ASSERT_EQ(picture.height, TestHeight);
        for (int y = 0; y < TestHeight; ++y)
            for (int x = 0; x < TestWidth; ++x)
                EXPECT_EQ(picture.at(x, y), expectedPixel(form, x, y)) << x << "," << y;
    }
}

TEST(Bitmap, WhatAStreamNeverWritesOrAShortTableLacksIsBlack)
{
    constexpr std::uint32_t B = 0xFF0000FF, G = 0xFF00FF00, K = 0xFF000000;
    const struct {
        const char *name;
        Bytes bytes;
        std::vector<std::uint32_t> pixels; // top row first
    } rows[] = {
        {"whole", runLength({4, 1, 0, 0, 4, 0, 0, 1}), {B, B, B, B, G, G, G, G}},
        {"delta skips", runLength({1, 1, 0, 2, 2, 1, 1, 0, 0, 1}), {K, K, K, B, G, K, K, K}},
        {"early end of line", runLength({1, 1, 0, 0, 2, 0, 0, 1}), {B, B, K, K, G, K, K, K}},
        {"early end of bitmap", runLength({3, 1, 0, 1, 4, 0}), {K, K, K, K, G, G, G, K}},
        {"no end mark", runLength({2, 1}), {K, K, K, K, G, G, K, K}},
        {"runs past the edge", runLength({200, 1, 9, 0}), {K, K, K, K, G, G, G, G}},
        {"rows past the top", runLength({0, 2, 0, 9, 4, 1}), {K, K, K, K, K, K, K, K}},
        {"runs past the edge, row after row",
         runLength({0, 2, 255, 0, 255, 1, 0, 0, 255, 0}),
         {B, B, B, B, K, K, K, K}},
        {"RLE4 absolute",
         runLength({0, 5, 0x01, 0x01, 0x10, 0, 0, 1}, 2, 4),
         {K, K, K, K, B, G, B, G}},
        {"index beyond a short table",
         runLength({0, 1, 2, 255, 1, 1, 1, 1}, 0),
         {G, G, G, G, B, G, K, K}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        addToCorpus(row.name, row.bytes);
        Picture picture;
        ASSERT_EQ(problemOf(row.bytes, &picture), "");
        EXPECT_EQ(picture.pixels, row.pixels);
    }
}

TEST(Bitmap, RunsThatGoOnPastEveryRowAreCutAtThePicture)
{
    // The largest file a switch image may be, of runs of 255 in a 4 pixel wide picture.
    Bytes stream;
    while (stream.size() + 64 < LargestBitmapFile)
        stream.insert(stream.end(), {255, 1, 255, 1, 0, 0});
    Picture picture;
    ASSERT_EQ(problemOf(runLength(stream), &picture), "");
    EXPECT_EQ(picture.pixels, std::vector<std::uint32_t>(8, 0xFF00FF00));
}

TEST(Bitmap, EveryDefectHasItsReason)
{
    const std::string damaged = "the bitmap's header is damaged";
    const std::string pixels = "the bitmap's pixel data is damaged";
    const std::string cannot = "the bitmap is stored in a way this program cannot show";
    const Bytes good = writeBitmap(BitmapForms[9]); // 24 bits, 5 x 3: 102 bytes
    const Bytes palette = writeBitmap({"", 40, 8, 0, false, NoMasks});
    const Bytes masks565 = writeBitmap(BitmapForms[7]);
    const Bytes masksInHeader = writeBitmap(BitmapForms[12]);
    const struct {
        const char *name;
        Bytes bytes;
        std::string reason;
    } rows[] = {
        {"empty", {}, "the file is empty"},
        {"text", {'h', 'e', 'l', 'l', 'o'}, "the file is not a Windows bitmap"},
        {"only BM", {'B', 'M'}, "the file is cut short (2 of 54 bytes)"},
        {"header only", cut(good, 54), "the file is cut short (54 of 102 bytes)"},
        {"truncated", cut(good, 80), "the file is cut short (80 of 102 bytes)"},
        {"huge", with(with(good, 18, 16385), 22, 16385),
         "the picture is too large (16385 x 16385 pixels)"},
        {"one pixel too wide", with(good, 18, LargestPictureSide + 1),
         "the picture is too large (257 x 3 pixels)"},
        {"top-down huge", with(good, 22, std::uint32_t(-5000)),
         "the picture is too large (5 x 5000 pixels)"},
        {"negative width", with(good, 18, std::uint32_t(-1)), damaged},
        {"no width", with(good, 18, 0), damaged},
        {"no height", with(good, 22, 0), damaged},
        {"lowest height", with(good, 22, 0x80000000),
         "the picture is too large (5 x 2147483648 pixels)"},
        {"two planes", with(good, 26, 2, 2), damaged},
        {"odd header", with(good, 14, 41), damaged},
        {"pixels inside header", with(good, 10, 20), damaged},
        {"pixels inside the colour table", with(palette, 10, 14 + 40 + 16), damaged},
        {"pixels far beyond the end", with(good, 10, 0xFFFFFFFF), damaged},
        {"more colours than indexes", with(palette, 46, 257), damaged},
        {"JPEG inside", with(good, 30, 4), cannot},
        {"7 bits", with(good, 28, 7, 2), cannot},
        {"16 bits in a core header",
         with(with(with(with(cut(good, 26), 14, 12), 20, 19, 2), 22, 1, 2), 24, 16, 2), cannot},
        {"top-down run length", with(runLength({0, 1}), 22, std::uint32_t(-2)), cannot},
        {"run length without its length", with(runLength({0, 1}), 34, 0), damaged},
        {"run length beyond the end", with(runLength({0, 1}), 34, 1000),
         "the file is cut short (64 of 1062 bytes)"},
        {"delta without its bytes", runLength({0, 2}), pixels},
        {"delta with one byte", runLength({0, 2, 1}), pixels},
        {"absolute run beyond the stream", runLength({0, 5, 1, 1}), pixels},
        {"lone byte", runLength({4, 1, 0}), pixels},
        {"empty mask", with(masks565, 54, 0), damaged},
        {"overlapping masks", with(masks565, 58, 0xFFE0), damaged},
        {"mask beyond 16 bits", with(masks565, 62, 0x1001F), damaged},
        {"mask with a gap", with(masksInHeader, 54, 0x00000F0F), cannot},
        {"masks cut short", cut(masks565, 60), "the file is cut short (60 of 66 bytes)"},
        {"palette beyond the end", with(with(good, 28, 8, 2), 46, 200),
         "the file is cut short (102 of 854 bytes)"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(problemOf(row.bytes), row.reason);
    }
}

#ifdef _WIN32
// Another program's handle on the picture, closed with the test's row.
struct Held {
    HANDLE handle = INVALID_HANDLE_VALUE;
    ~Held() { CloseHandle(handle); }
};
#endif

TEST_F(PictureFile, ReadsAWholeBitmapFromTheCurrentDirectory)
{
    const Bytes bytes = writeBitmap(BitmapForms[9]);
    writeFile("OFF_SW.bmp", bytes);
#ifdef _WIN32 // an editor or a sync client writing it lets others read
    const Held writer{CreateFileW(L"OFF_SW.bmp", GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr)};
    ASSERT_NE(writer.handle, INVALID_HANDLE_VALUE);
#endif
    EXPECT_EQ(readPictureBytes(PlatformFileOpener(), "OFF_SW.bmp"), bytes);
    EXPECT_EQ(readPictureFile(PlatformFileOpener(), "OFF_SW.bmp").at(4, 0), 0xFF0000FF);
}

// One case a fault; one that this system cannot make shows as skipped.
struct Fault {
    const char *name;
    FileError::Kind kind;
    std::string reason;
};

class PictureFault : public PictureFile, public ::testing::WithParamInterface<Fault>
{
};

TEST_P(PictureFault, NamesFileFolderReasonAndWhatToDo)
{
    using Kind = FileError::Kind;
    const Fault &row = GetParam();
    const std::string name = row.name;
    if (name == "folder") {
        fs::create_directory("OFF_SW.bmp");
    } else if (name == "FIFO" || name == "device") {
#ifdef _WIN32
        GTEST_SKIP() << "Windows has no " << name << " to put in a file's place";
#else
        if (name == "FIFO") // no writer: opening it to read would wait for one
            ASSERT_EQ(mkfifo("OFF_SW.bmp", 0600), 0);
        else // endless, if anyone read it
            fs::create_symlink("/dev/zero", "OFF_SW.bmp");
#endif
    } else if (name != "missing") {
        writeFile("OFF_SW.bmp", {'h', 'i'});
        if (name == "oversized")
            fs::resize_file("OFF_SW.bmp", LargestBitmapFile + 1);
    }
#ifdef _WIN32 // a program that shares it with no one
    const Held locker{name == "locked" ? CreateFileW(L"OFF_SW.bmp", GENERIC_READ, 0, nullptr,
                                                     OPEN_EXISTING, 0, nullptr)
                                       : INVALID_HANDLE_VALUE};
#else
    if (name == "locked")
        GTEST_SKIP() << "no lock here keeps a reader out";
#endif
    const auto started = std::chrono::steady_clock::now();
    try {
        readPictureFile(PlatformFileOpener(), "OFF_SW.bmp");
        ADD_FAILURE() << "no error raised";
    } catch (const FileError &error) {
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
        EXPECT_EQ(error.kind(), row.kind);
        EXPECT_EQ(error.reason(), row.reason);
        EXPECT_EQ(fs::path(error.folder()), fs::current_path());
        const ReportText report = reportText(std::make_exception_ptr(error));
        EXPECT_EQ(report.folder, error.folder());
        EXPECT_EQ(report.reason, "Reason: " + row.reason + ".");
        const char *hint = row.kind == Kind::Missing  ? "Put ON_SW.bmp and OFF_SW.bmp into"
                           : row.kind == Kind::Locked ? "Close that program, or wait"
                                                      : "Replace OFF_SW.bmp with a good copy";
        EXPECT_TRUE(report.whatToDo.starts_with(hint)) << report.whatToDo;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, PictureFault,
    ::testing::Values(
        Fault{"missing", FileError::Kind::Missing, "there is no such file"},
        Fault{"folder", FileError::Kind::Damaged, "it is a folder, not a file"},
        Fault{"FIFO", FileError::Kind::Damaged, "it is not a regular file"},
        Fault{"device", FileError::Kind::Damaged, "it is not a regular file"},
        Fault{"damaged", FileError::Kind::Damaged, "the file is not a Windows bitmap"},
        Fault{"locked", FileError::Kind::Locked, "the file is locked by another program"},
        Fault{"oversized", FileError::Kind::Damaged,
              "the file is too large for a picture (" + std::to_string(LargestBitmapFile + 1) +
                  " bytes, at most " + std::to_string(LargestBitmapFile) + ")"}),
    [](const ::testing::TestParamInfo<Fault> &info) { return std::string(info.param.name); });

TEST(DeviceScale, EveryDevicePixelBelongsToOneDesignPixel)
{
    // So that a picture drawn at its control's place covers exactly the device
    // pixels of that place, and neighbours neither overlap nor leave a gap.
    for (int dpi = 96; dpi <= 480; ++dpi)
        for (int device = 0; device < deviceOf(Design::pixels(Design::ClientWidth), dpi);
             ++device) {
            const int design = designOf(device, dpi);
            ASSERT_TRUE(deviceOf(design, dpi) <= device && device < deviceOf(design + 1, dpi))
                << dpi << " dpi, device pixel " << device;
        }
    const Picture lever{2, 1, {1, 2}};
    // At 1.25: 109 covers 136.25 to 137.5, 110 up to 138.75; 165 covers 206.25 to 207.5.
    EXPECT_EQ(atDeviceScale(lever, 109, 165, 120).pixels,
              (std::vector<std::uint32_t>{1, 1, 2, 1, 1, 2}));
}

// Each kind of error as the report tells it, part by part, on the desktop and
// from a page's server; the whole text is its parts a paragraph each.
TEST(Report, EachErrorInItsParts)
{
    using Kind = FileError::Kind;
    const std::string folder = "C:\\Users\\J\u00fcrgen\\\u30c7\u30b9\u30af"; // beyond ASCII
    const std::string unknown = "Unexpected error of unknown kind.";
    const struct {
        std::exception_ptr error;
        PictureSource source;
        std::string happened, whatToDo;
    } rows[] = {
        {std::make_exception_ptr(FileError(Kind::Unreadable, "ON_SW.bmp", folder, "r")),
         PictureSource::Folder, "The picture \"ON_SW.bmp\" could not be read from the folder",
         "Make sure that you may read ON_SW.bmp, then start the program again."},
        {std::make_exception_ptr(FileError(Kind::Missing, "ON_SW.bmp", folder, "r")),
         PictureSource::Server, "The picture \"ON_SW.bmp\" could not be read from the folder",
         "Put ON_SW.bmp and OFF_SW.bmp on the page's server beside the page, then start again."},
        {std::make_exception_ptr(FileError(Kind::Damaged, "OFF_SW.bmp", folder, "r")),
         PictureSource::Server, "The picture \"OFF_SW.bmp\" could not be read from the folder",
         "Put a good copy of OFF_SW.bmp on the page's server, then start again."},
        {std::make_exception_ptr(FileError(Kind::Unreadable, "OFF_SW.bmp", folder, "r")),
         PictureSource::Server, "The picture \"OFF_SW.bmp\" could not be read from the folder",
         "Check the network connection and that the page's server is running, then start "
         "again."},
        {std::make_exception_ptr(OverflowError("Overflow.")), PictureSource::Folder, "Overflow.",
         ""},
        {std::make_exception_ptr(std::bad_alloc()), PictureSource::Folder,
         "Unexpected error: std::bad_alloc", ""},
        {std::make_exception_ptr(42), PictureSource::Folder, unknown, ""},
        {nullptr, PictureSource::Folder, unknown, ""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.happened);
        const ReportText report = reportText(row.error, row.source);
        const bool file = !row.whatToDo.empty();
        EXPECT_EQ(report.title, "Corvex_Settings");
        EXPECT_EQ(report.opening, "Corvex_Settings has to close.");
        EXPECT_EQ(report.happened, row.happened);
        EXPECT_EQ(report.folder, file ? folder : "");
        EXPECT_EQ(report.reason, file ? "Reason: r." : "");
        EXPECT_EQ(report.whatToDo, row.whatToDo);
        EXPECT_EQ(report.text(),
                  "Corvex_Settings has to close.\n\n" + row.happened +
                      (file ? "\n" + folder + "\n\nReason: r.\n\n" + row.whatToDo : ""));
    }
}

// A picture as a page fetched it: each way a fetch ends, refused in the words
// a file in a folder gets.
TEST(FetchedPicture, RefusedAsAFileInAFolderIs)
{
    using Kind = FileError::Kind;
    const Bytes good = writeBitmap(BitmapForms[0]);
    const Bytes large(LargestBitmapFile + 1, 'B');
    const struct {
        int status;
        const Bytes &bytes;
        double size;
        std::optional<Kind> kind; // none: the picture
        std::string reason;
    } rows[] = {
        {200, good, -1, {}, ""},
        {0, {}, -1, Kind::Unreadable, "the page's server cannot be reached (no network?)"},
        {-1,
         {},
         -1,
         Kind::Unreadable,
         "the page's server stopped answering (nothing came for 5 s)"},
        {404, {}, -1, Kind::Missing, "there is no such file"},
        {410, {}, -1, Kind::Missing, "there is no such file"},
        {503, {}, -1, Kind::Unreadable, "the server refused it (HTTP status 503)"},
        {200, large, -1, Kind::Damaged,
         "the file is too large for a picture (266241 bytes, at most 266240)"},
        {200, large, 1e6, Kind::Damaged,
         "the file is too large for a picture (1000000 bytes, at most 266240)"},
        {200, Bytes(10, 'x'), -1, Kind::Damaged, "the file is not a Windows bitmap"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.status);
        try {
            const Picture picture = readFetchedPicture("ON_SW.bmp", "https://a.example/",
                                                       row.status, row.bytes, row.size);
            EXPECT_FALSE(row.kind);
            EXPECT_EQ(picture.width, TestWidth);
        } catch (const FileError &error) {
            EXPECT_EQ(error.kind(), row.kind);
            EXPECT_EQ(error.reason(), row.reason);
            EXPECT_EQ(error.folder(), "https://a.example/");
        }
        EXPECT_EQ(isPictureFile(row.bytes), row.status == 200 && !row.kind);
    }
}

// Pictures laid over each other: what each pixel shows, and the region a
// change draws again, worked out by hand.
TEST(Composition, LayersAndTheRegionAChangeDraws)
{
    constexpr std::uint32_t A = 0x102030, B = 0x405060;
    const auto filled = [](int w, int h, std::uint32_t c) {
        return Picture{w, h, std::vector<std::uint32_t>(std::size_t(w * h), c)};
    };
    Composition block;
    block.reset(4, 3, 2);
    const auto pixel = [&](int x, int y) {
        const std::uint8_t *p = &block.rgba()[std::size_t(y * 4 + x) * 4];
        return p[3] ? std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2] : 0xFFFFFFFF;
    };
    const auto is = [](DeviceRect r, DeviceRect want) {
        return r.left == want.left && r.top == want.top && r.right == want.right &&
               r.bottom == want.bottom;
    };
    EXPECT_TRUE(is(block.show(0, filled(2, 2, A), 0, 0), {0, 0, 2, 2}));
    EXPECT_TRUE(is(block.show(1, filled(2, 2, B), 1, 1), {1, 1, 3, 3}));
    EXPECT_EQ(pixel(0, 0), A);
    EXPECT_EQ(pixel(1, 1), B);          // the later layer lies above
    EXPECT_EQ(pixel(3, 2), 0xFFFFFFFF); // clear
    EXPECT_TRUE(is(block.show(1, filled(1, 1, B), 3, 0), {1, 0, 4, 3}));
    EXPECT_EQ(pixel(1, 1), A); // uncovered again
    EXPECT_EQ(pixel(2, 2), 0xFFFFFFFF);
    EXPECT_EQ(pixel(3, 0), B);
    EXPECT_TRUE(is(block.show(0, filled(3, 3, A), -1, 2), {0, 0, 2, 3})); // clipped
    EXPECT_EQ(pixel(0, 0), 0xFFFFFFFF);
    EXPECT_EQ(pixel(1, 2), A);
    EXPECT_EQ(block.bytesOf({1, 0, 4, 3}).size(), 3u * 3u * 4u);
    EXPECT_TRUE(block.bytesOf({5, 5, 9, 9}).empty());
}

// Boxes in device pixels and the page's DPI, worked out by hand.
TEST(DeviceScale, BoxesAndThePagesDpi)
{
    using enum Design::Arrangement;
    const auto is = [](Design::DeviceBox b, std::array<int, 8> want) {
        return std::array<int, 8>{b.left,     b.top,      b.width,    b.height,
                                  b.reach[0], b.reach[1], b.reach[2], b.reach[3]} == want;
    };
    const DeviceRect field = Design::deviceRect(Design::control("txtFreq"), Desktop, 144);
    EXPECT_EQ((std::array{field.left, field.top, field.right, field.bottom}),
              (std::array{150, 57, 290, 119}));
    EXPECT_TRUE(
        is(Design::deviceBox(Design::control("pic1"), Phone, 192, &Design::control("picDIP_SW")),
           {6, 22, 24, 48, 4, 4, 6, 4}));
    EXPECT_TRUE(is(Design::deviceBox(Design::control("pic3"), Desktop, 96, nullptr, 10, 20),
                   {133, 165, 10, 20, 0, 0, 0, 0}));
    EXPECT_EQ(Design::windowDpi(1.25, false, 800, 600), 120);
    EXPECT_EQ(Design::windowDpi(std::nan(""), false, 800, 600), 96);
    EXPECT_EQ(Design::windowDpi(3, true, 360, 640), 576);
    EXPECT_EQ(Design::windowDpi(3, true, 640, 360), 603);
    EXPECT_EQ(Design::windowDpi(1, true, 100, 100), 96);    // never below its own size
    EXPECT_EQ(Design::windowDpi(1, true, 4000, 4000), 288); // at most three times
}
