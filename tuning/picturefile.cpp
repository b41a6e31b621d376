#include "picturefile.h"

#include "runtimeerror.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr std::uintmax_t LargestFile = std::uintmax_t(64) << 20;

std::uint32_t field(const std::vector<std::uint8_t> &bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | bytes[at + std::size_t(i)];
    return value;
}

std::string cutShort(std::size_t have, std::uint64_t need)
{
    return "the file is cut short (" + std::to_string(have) + " of " + std::to_string(need) +
           " bytes)";
}

} // namespace

std::string currentFolder()
{
    std::error_code error;
    const fs::path folder = fs::current_path(error);
    if (error)
        return "(unknown folder)";
    const std::u8string text = fs::path(folder).make_preferred().u8string();
    return std::string(text.begin(), text.end());
}

std::vector<std::uint8_t> readPictureFile(const std::string &fileName)
{
    const std::string folder = currentFolder();
    const auto fail = [&](FileError::Kind kind, const std::string &reason) {
        return FileError(kind, fileName, folder, reason);
    };
    const fs::path path(std::u8string(fileName.begin(), fileName.end()));
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found)
        throw fail(FileError::Kind::Missing, "there is no such file");
    if (status.type() == fs::file_type::directory)
        throw fail(FileError::Kind::Damaged, "it is a folder, not a file");
    const std::uintmax_t size = fs::file_size(path, error);
    if (!error && size > LargestFile)
        throw fail(FileError::Kind::Damaged, "the file is too large for a picture");

    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw fail(FileError::Kind::Unreadable, "the file cannot be opened");
    std::vector<std::uint8_t> bytes;
    bytes.reserve(error ? 0 : std::size_t(size));
    char chunk[4096];
    while (file.read(chunk, sizeof chunk) || file.gcount() > 0) {
        bytes.insert(bytes.end(), chunk, chunk + file.gcount());
        if (bytes.size() > LargestFile)
            throw fail(FileError::Kind::Damaged, "the file is too large for a picture");
    }
    if (file.bad())
        throw fail(FileError::Kind::Unreadable, "the file cannot be read");
    if (const auto problem = bitmapProblem(bytes))
        throw fail(FileError::Kind::Damaged, *problem);
    return bytes;
}

std::optional<std::string> bitmapProblem(const std::vector<std::uint8_t> &bytes)
{
    if (bytes.empty())
        return "the file is empty";
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M')
        return "the file is not a Windows bitmap";
    constexpr std::size_t FileHeader = 14;
    if (bytes.size() < FileHeader + 4)
        return cutShort(bytes.size(), FileHeader + 40);
    const std::uint32_t infoSize = field(bytes, 14, 4);
    const bool core = infoSize == 12;
    if (!core && infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 108 &&
        infoSize != 124)
        return "the bitmap's header is damaged";
    if (bytes.size() < FileHeader + infoSize)
        return cutShort(bytes.size(), FileHeader + infoSize);

    const std::int64_t width = core ? field(bytes, 18, 2) : std::int32_t(field(bytes, 18, 4));
    const std::int64_t height =
        core ? field(bytes, 20, 2) : std::abs(std::int64_t(std::int32_t(field(bytes, 22, 4))));
    const std::uint32_t bitsPerPixel = field(bytes, core ? 24 : 28, 2);
    const std::uint32_t compression = core ? 0 : field(bytes, 30, 4);
    if (width <= 0 || height <= 0)
        return "the bitmap's header is damaged";
    if (width > LargestPictureSide || height > LargestPictureSide)
        return "the picture is too large (" + std::to_string(width) + " x " +
               std::to_string(height) + " pixels)";
    const bool knownDepth = bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8 ||
                            bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 32;
    const bool run =
        (compression == 1 && bitsPerPixel == 8) || (compression == 2 && bitsPerPixel == 4);
    const bool plain =
        compression == 0 || (compression == 3 && (bitsPerPixel == 16 || bitsPerPixel == 32));
    if (!knownDepth || !(run || plain))
        return "the bitmap is stored in a way this program cannot show";

    // Colour masks and palette lie between the header and the pixels.
    const std::uint64_t masks = compression == 3 && infoSize == 40 ? 12 : 0;
    const std::uint64_t colours = core || field(bytes, 46, 4) == 0
                                      ? (bitsPerPixel <= 8 ? 1u << bitsPerPixel : 0)
                                      : field(bytes, 46, 4);
    if (colours > 256 && bitsPerPixel <= 8)
        return "the bitmap's header is damaged";
    const std::uint64_t tableEnd = FileHeader + infoSize + masks + colours * (core ? 3 : 4);
    const std::uint64_t pixelsAt = field(bytes, 10, 4);
    if (pixelsAt < FileHeader + infoSize + masks)
        return "the bitmap's header is damaged";
    if (bytes.size() < tableEnd)
        return cutShort(bytes.size(), tableEnd);
    const std::uint64_t stride = (std::uint64_t(width) * bitsPerPixel + 31) / 32 * 4;
    // A run-length stream is as long as its header says; the decoders rely on it.
    const std::uint64_t runBytes = run ? field(bytes, 34, 4) : 0;
    if (run && runBytes < 2)
        return "the bitmap's header is damaged";
    const std::uint64_t needed =
        run ? pixelsAt + runBytes : pixelsAt + stride * std::uint64_t(height);
    if (bytes.size() < needed)
        return cutShort(bytes.size(), needed);
    return std::nullopt;
}
