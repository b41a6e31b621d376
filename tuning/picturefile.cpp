#include "picturefile.h"

#include "reporttext.h"
#include "runtimeerror.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

using Kind = FileError::Kind;

FileError fileError(Kind kind, const std::string &fileName, const std::string &reason)
{
    return FileError(kind, fileName, currentFolder(), reason);
}

} // namespace

std::string tooLargeReason(std::uint64_t size)
{
    return "the file is too large for a picture (" + std::to_string(size) + " bytes, at most " +
           std::to_string(LargestBitmapFile) + ")";
}

std::string currentFolder()
{
    std::error_code error;
    const fs::path folder = fs::current_path(error);
    if (error)
        return "(unknown folder)";
    const std::u8string text = fs::path(folder).make_preferred().u8string();
    return std::string(text.begin(), text.end());
}

std::vector<std::uint8_t> readPictureBytes(const FileOpener &files, const std::string &fileName)
{
    FileOpener::Failure why{};
    const std::unique_ptr<OpenedFile> file = files.open(fileName, why);
    if (!file) {
        switch (why) {
        case FileOpener::Failure::Missing:
            throw fileError(Kind::Missing, fileName, NoSuchFileReason);
        case FileOpener::Failure::Locked:
            throw fileError(Kind::Locked, fileName, "the file is locked by another program");
        case FileOpener::Failure::Unreadable:
            break;
        }
        throw fileError(Kind::Unreadable, fileName, "the file cannot be opened");
    }
    const std::optional<OpenedFile::Facts> facts = file->facts();
    if (!facts)
        throw fileError(Kind::Unreadable, fileName, "the file cannot be read");
    if (facts->kind == OpenedFile::Kind::Folder)
        throw fileError(Kind::Damaged, fileName, "it is a folder, not a file");
    if (facts->kind != OpenedFile::Kind::Regular)
        throw fileError(Kind::Damaged, fileName, "it is not a regular file");
    if (facts->size > LargestBitmapFile)
        throw fileError(Kind::Damaged, fileName, tooLargeReason(facts->size));
    // A file that grew since it was opened is cut at the size it had then.
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(facts->size));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const long long got = file->read(bytes.data() + filled, bytes.size() - filled);
        if (got < 0)
            throw fileError(Kind::Unreadable, fileName, "the file cannot be read");
        if (got == 0)
            break;
        filled += std::size_t(got);
    }
    bytes.resize(filled);
    return bytes;
}

Picture readPictureFile(const FileOpener &files, const std::string &fileName)
{
    const std::vector<std::uint8_t> bytes = readPictureBytes(files, fileName);
    Picture picture;
    if (const auto problem = decodeBitmap(bytes, picture))
        throw fileError(Kind::Damaged, fileName, *problem);
    return picture;
}

Picture readFetchedPicture(const std::string &fileName, const std::string &folder, int status,
                           std::span<const std::uint8_t> bytes, double size)
{
    const auto refuse = [&](Kind kind, const std::string &reason) {
        return FileError(kind, fileName, folder, reason);
    };
    if (status == 0)
        throw refuse(Kind::Unreadable, "the page's server cannot be reached (no network?)");
    if (status == -1)
        throw refuse(Kind::Unreadable, pageStoppedReason());
    if (status == 404 || status == 410)
        throw refuse(Kind::Missing, NoSuchFileReason);
    if (status != 200)
        throw refuse(Kind::Unreadable,
                     "the server refused it (HTTP status " + std::to_string(status) + ")");
    if (bytes.size() > LargestBitmapFile)
        throw refuse(Kind::Damaged, tooLargeReason(std::max<std::uint64_t>(
                                        bytes.size(), size > 0 ? std::uint64_t(size) : 0)));
    Picture picture;
    if (const auto problem = decodeBitmap(bytes, picture))
        throw refuse(Kind::Damaged, *problem);
    return picture;
}

bool isPictureFile(std::span<const std::uint8_t> bytes)
{
    Picture picture;
    return bytes.size() <= LargestBitmapFile && !decodeBitmap(bytes, picture);
}

std::string ownPictureMissing(const char *fileName)
{
    return std::string("The program's own picture ") + fileName + " cannot be found";
}

Picture decodeOwnPicture(const char *fileName, std::span<const std::uint8_t> bytes)
{
    Picture picture;
    if (const auto problem = decodeBitmap(bytes, picture))
        throw RuntimeError(std::string("The program's own picture ") + fileName +
                           " cannot be shown: " + *problem + ".");
    return picture;
}
