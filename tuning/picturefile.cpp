#include "picturefile.h"

#include "runtimeerror.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Far more than the largest picture the decoder takes.
constexpr std::uintmax_t LargestFile = std::uintmax_t(16) << 20;

FileError fileError(FileError::Kind kind, const std::string &fileName, const std::string &reason)
{
    return FileError(kind, fileName, currentFolder(), reason);
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

std::vector<std::uint8_t> readPictureBytes(const std::string &fileName)
{
    using Kind = FileError::Kind;
    const fs::path path(std::u8string(fileName.begin(), fileName.end()));
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    switch (status.type()) {
    case fs::file_type::regular:
        break;
    case fs::file_type::not_found:
        throw fileError(Kind::Missing, fileName, "there is no such file");
    case fs::file_type::directory:
        throw fileError(Kind::Damaged, fileName, "it is a folder, not a file");
    case fs::file_type::none:
    case fs::file_type::unknown:
        throw fileError(Kind::Unreadable, fileName, "the file cannot be opened");
    default:
        throw fileError(Kind::Damaged, fileName, "it is not a regular file");
    }
    const std::uintmax_t size = fs::file_size(path, error);
    if (error)
        throw fileError(Kind::Unreadable, fileName, "the file cannot be read");
    if (size > LargestFile)
        throw fileError(Kind::Damaged, fileName, "the file is too large for a picture");

    // C's files rather than C++ streams: a stream sets up the C++ locale
    // first, which costs the Windows program a fifth of its start under Wine.
    using File = std::unique_ptr<std::FILE, int (*)(std::FILE *)>;
#ifdef _WIN32
    File file(_wfopen(path.c_str(), L"rb"), std::fclose); // UTF-16 names
#else
    File file(std::fopen(path.c_str(), "rb"), std::fclose);
#endif
    if (!file)
        throw fileError(Kind::Unreadable, fileName, "the file cannot be opened");
    // One bounded read: a file that grew since it was measured is cut at that size.
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
    if (std::ferror(file.get()))
        throw fileError(Kind::Unreadable, fileName, "the file cannot be read");
    return bytes;
}

Picture readPictureFile(const std::string &fileName)
{
    const std::vector<std::uint8_t> bytes = readPictureBytes(fileName);
    Picture picture;
    if (const auto problem = decodeBitmap(bytes, picture))
        throw fileError(FileError::Kind::Damaged, fileName, *problem);
    return picture;
}
