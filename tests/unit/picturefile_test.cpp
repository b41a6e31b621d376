#include "picturefile.h"
#include "reporttext.h"
#include "runtimeerror.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

void put32(Bytes &bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + std::size_t(i)] = std::uint8_t(value >> (8 * i));
}

// A 24-bit bottom-up bitmap of the switch size, its header laid out by hand.
Bytes switchBitmap()
{
    const std::uint32_t stride = 8 * 3 + 0; // 24 bytes: already a multiple of four
    Bytes bytes(54 + stride * 19, 0x80);
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(bytes, 2, std::uint32_t(bytes.size()));
    put32(bytes, 6, 0);
    put32(bytes, 10, 54);
    put32(bytes, 14, 40);
    put32(bytes, 18, 8);
    put32(bytes, 22, 19);
    put32(bytes, 26, 1 | (24 << 16));
    for (std::size_t at : {30u, 34u, 38u, 42u, 46u, 50u})
        put32(bytes, at, 0);
    return bytes;
}

Bytes with(Bytes bytes, std::size_t at, std::uint32_t value)
{
    put32(bytes, at, value);
    return bytes;
}

Bytes cut(Bytes bytes, std::size_t size)
{
    bytes.resize(size);
    return bytes;
}

class PictureFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = fs::current_path();
        m_dir = fs::temp_directory_path() /
                ("corvex-picturefile-" +
                 std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
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

TEST_F(PictureFile, ReadsAWholeBitmapFromTheCurrentDirectory)
{
    const Bytes good = switchBitmap();
    std::ofstream("OFF_SW.bmp", std::ios::binary)
        .write(reinterpret_cast<const char *>(good.data()), std::streamsize(good.size()));
    EXPECT_EQ(readPictureFile("OFF_SW.bmp"), good);
}

TEST_F(PictureFile, EveryFaultNamesFileFolderReasonAndWhatToDo)
{
    using Kind = FileError::Kind;
    const Bytes good = switchBitmap();
    const struct {
        const char *name;
        std::optional<Bytes> content; // nothing: no file; empty vector with "folder": a folder
        Kind kind;
        std::string reason;
    } rows[] = {
        {"missing", std::nullopt, Kind::Missing, "there is no such file"},
        {"folder", Bytes{}, Kind::Damaged, "it is a folder, not a file"},
        {"empty", Bytes{}, Kind::Damaged, "the file is empty"},
        {"text", Bytes{'h', 'e', 'l', 'l', 'o'}, Kind::Damaged, "the file is not a Windows bitmap"},
        {"PNG", Bytes{0x89, 'P', 'N', 'G', 13, 10}, Kind::Damaged,
         "the file is not a Windows bitmap"},
        {"only BM", Bytes{'B', 'M'}, Kind::Damaged, "the file is cut short (2 of 54 bytes)"},
        {"header only", cut(good, 54), Kind::Damaged, "the file is cut short (54 of 510 bytes)"},
        {"truncated", cut(good, 300), Kind::Damaged, "the file is cut short (300 of 510 bytes)"},
        {"huge", with(with(good, 18, 16385), 22, 16385), Kind::Damaged,
         "the picture is too large (16385 x 16385 pixels)"},
        {"top-down huge", with(good, 22, std::uint32_t(-5000)), Kind::Damaged,
         "the picture is too large (8 x 5000 pixels)"},
        {"no width", with(good, 18, 0), Kind::Damaged, "the bitmap's header is damaged"},
        {"odd header", with(good, 14, 41), Kind::Damaged, "the bitmap's header is damaged"},
        {"pixels inside header", with(good, 10, 20), Kind::Damaged,
         "the bitmap's header is damaged"},
        {"JPEG inside", with(good, 30, 4), Kind::Damaged,
         "the bitmap is stored in a way this program cannot show"},
        {"run length without its length", with(with(with(good, 26, 1 | (8 << 16)), 30, 1), 46, 1),
         Kind::Damaged, "the bitmap's header is damaged"},
        {"run length beyond the end",
         with(with(with(with(with(good, 26, 1 | (8 << 16)), 30, 1), 46, 1), 10, 58), 34, 1000),
         Kind::Damaged, "the file is cut short (510 of 1058 bytes)"},
        {"7 bits", with(good, 26, 1 | (7 << 16)), Kind::Damaged,
         "the bitmap is stored in a way this program cannot show"},
        {"palette beyond the end", with(with(good, 26, 1 | (8 << 16)), 46, 200), Kind::Damaged,
         "the file is cut short (510 of 854 bytes)"},
        {"oversized", good, Kind::Damaged, "the file is too large for a picture"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove_all("OFF_SW.bmp");
        if (std::string(row.name) == "folder") {
            fs::create_directory("OFF_SW.bmp");
        } else if (row.content) {
            std::ofstream("OFF_SW.bmp", std::ios::binary)
                .write(reinterpret_cast<const char *>(row.content->data()),
                       std::streamsize(row.content->size()));
            if (std::string(row.name) == "oversized")
                fs::resize_file("OFF_SW.bmp", std::uintmax_t(65) << 20); // sparse: costs no disk
        }
        try {
            readPictureFile("OFF_SW.bmp");
            ADD_FAILURE() << "no error raised";
        } catch (const FileError &error) {
            EXPECT_EQ(error.kind(), row.kind);
            EXPECT_EQ(error.reason(), row.reason);
            EXPECT_EQ(fs::path(error.folder()), fs::current_path());
            const std::string report = reportText(&error);
            EXPECT_NE(report.find("\"OFF_SW.bmp\""), std::string::npos) << report;
            EXPECT_NE(report.find("\n" + error.folder() + "\n"), std::string::npos) << report;
            EXPECT_NE(report.find("Reason: " + row.reason + "."), std::string::npos) << report;
            const char *hint = row.kind == Kind::Missing ? "Put ON_SW.bmp and OFF_SW.bmp into"
                                                         : "Replace OFF_SW.bmp with a good copy";
            EXPECT_NE(report.find(hint), std::string::npos) << report;
        }
    }
}
