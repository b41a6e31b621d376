#pragma once

#include "bitmap.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The switch images as files: read afresh on every call from the current
// directory and decoded by the program itself, so that no platform decoder
// ever sees a file's bytes. Every failure is a FileError naming file, folder
// and reason.

// A file opened for reading, as a platform gives it.
class OpenedFile
{
public:
    enum class Kind { Regular, Folder, Other };
    struct Facts {
        Kind kind;
        std::uint64_t size;
    };

    virtual ~OpenedFile() = default;
    // What the open file is, asked through its handle; none when that fails.
    virtual std::optional<Facts> facts() = 0;
    // Bytes read into `into`, 0 at the end, -1 on an error.
    virtual long long read(std::uint8_t *into, std::size_t most) = 0;
};

// How a platform opens a name for reading. The rules stay here: the file is
// opened first and then asked what it is, so no one can put a FIFO or a folder
// in its place between the check and the read.
class FileOpener
{
public:
    enum class Failure { Missing, Locked, Unreadable };

    virtual ~FileOpener() = default;
    // The file, resolved against the current directory, opened without
    // waiting (a FIFO without a writer, a device) and shared with a program
    // that writes it; or null and why.
    virtual std::unique_ptr<OpenedFile> open(const std::string &fileName, Failure &why) const = 0;
};

// The bytes of the file. Only a regular file is read, and never beyond the
// size it had when it was opened.
std::vector<std::uint8_t> readPictureBytes(const FileOpener &files, const std::string &fileName);

// The file's picture, decoded.
Picture readPictureFile(const FileOpener &files, const std::string &fileName);

// Why a file of `size` bytes is refused before it is read.
std::string tooLargeReason(std::uint64_t size);

// Why a name is no file at all.
inline constexpr const char *NoSuchFileReason = "there is no such file";

// A picture file as a web page fetched it from `folder`, its address: at
// `status` 200 its bytes (never more than one beyond the largest file), else
// the server's status, 0 for no answer at all, -1 for a server that stopped
// sending; `size` is what the server said the whole file holds, or -1. The
// same rules as for a file in a folder, and the same words.
Picture readFetchedPicture(const std::string &fileName, const std::string &folder, int status,
                           std::span<const std::uint8_t> bytes, double size);

// Whether bytes kept from an earlier read are a picture the window shows.
bool isPictureFile(std::span<const std::uint8_t> bytes);

// The program's own picture, carried inside it: decoded, or an error that
// names it. The second, when the platform cannot find it.
Picture decodeOwnPicture(const char *fileName, std::span<const std::uint8_t> bytes);
std::string ownPictureMissing(const char *fileName);

// The current directory as the user knows it (native separators).
std::string currentFolder();
