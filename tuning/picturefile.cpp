#include "picturefile.h"

#include "runtimeerror.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

using Kind = FileError::Kind;

FileError fileError(Kind kind, const std::string &fileName, const std::string &reason)
{
    return FileError(kind, fileName, currentFolder(), reason);
}

// The file is opened first and then asked what it is, through its handle: no
// one can put a FIFO or a folder in its place between the check and the read.
// Opening never waits (a FIFO without a writer, a device), and no read goes
// beyond the size the open file had.
#ifdef _WIN32
class ReadOnlyFile
{
public:
    explicit ReadOnlyFile(const std::string &fileName)
    {
        const fs::path path(std::u8string(fileName.begin(), fileName.end()));
        // A folder opens only with backup semantics, so that it can be named as
        // one. Another program may be writing the file (an editor, a sync
        // client, a copy): it is read all the same, up to the size it has now.
        m_handle.value = CreateFileW(path.c_str(), GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (m_handle.value == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
                throw fileError(Kind::Missing, fileName, "there is no such file");
            if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
                throw fileError(Kind::Locked, fileName, "the file is locked by another program");
            throw fileError(Kind::Unreadable, fileName, "the file cannot be opened");
        }
        BY_HANDLE_FILE_INFORMATION information{};
        if (GetFileType(m_handle.value) != FILE_TYPE_DISK)
            throw fileError(Kind::Damaged, fileName, "it is not a regular file");
        if (!GetFileInformationByHandle(m_handle.value, &information))
            throw fileError(Kind::Unreadable, fileName, "the file cannot be read");
        if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            throw fileError(Kind::Damaged, fileName, "it is a folder, not a file");
        m_size = std::uint64_t(information.nFileSizeHigh) << 32 | information.nFileSizeLow;
    }

    std::uint64_t size() const { return m_size; }
    // Bytes read into `into`, 0 at the end, -1 on an error.
    long long read(std::uint8_t *into, std::size_t most)
    {
        DWORD got = 0;
        if (!ReadFile(m_handle.value, into, DWORD(most), &got, nullptr))
            return -1;
        return got;
    }

private:
    // Closed however the constructor ends, a refusal included.
    struct Handle {
        HANDLE value = INVALID_HANDLE_VALUE;
        Handle() = default;
        Handle(const Handle &) = delete;
        Handle &operator=(const Handle &) = delete;
        ~Handle()
        {
            if (value != INVALID_HANDLE_VALUE)
                CloseHandle(value);
        }
    } m_handle;
    std::uint64_t m_size = 0;
};
#else
class ReadOnlyFile
{
public:
    explicit ReadOnlyFile(const std::string &fileName)
    {
        m_descriptor.value = open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (m_descriptor.value < 0) {
            if (errno == ENOENT || errno == ENOTDIR)
                throw fileError(Kind::Missing, fileName, "there is no such file");
            throw fileError(Kind::Unreadable, fileName, "the file cannot be opened");
        }
        struct stat status {
        };
        if (fstat(m_descriptor.value, &status) != 0)
            throw fileError(Kind::Unreadable, fileName, "the file cannot be read");
        if (S_ISDIR(status.st_mode))
            throw fileError(Kind::Damaged, fileName, "it is a folder, not a file");
        if (!S_ISREG(status.st_mode))
            throw fileError(Kind::Damaged, fileName, "it is not a regular file");
        m_size = std::uint64_t(status.st_size);
    }

    std::uint64_t size() const { return m_size; }
    long long read(std::uint8_t *into, std::size_t most)
    {
        ssize_t got;
        do
            got = ::read(m_descriptor.value, into, most);
        while (got < 0 && errno == EINTR);
        return got;
    }

private:
    // Closed however the constructor ends, a refusal included.
    struct Descriptor {
        int value = -1;
        Descriptor() = default;
        Descriptor(const Descriptor &) = delete;
        Descriptor &operator=(const Descriptor &) = delete;
        ~Descriptor()
        {
            if (value >= 0)
                close(value);
        }
    } m_descriptor;
    std::uint64_t m_size = 0;
};
#endif

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

std::vector<std::uint8_t> readPictureBytes(const std::string &fileName)
{
    ReadOnlyFile file(fileName);
    if (file.size() > LargestBitmapFile)
        throw fileError(Kind::Damaged, fileName, tooLargeReason(file.size()));
    // A file that grew since it was opened is cut at the size it had then.
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file.size()));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const long long got = file.read(bytes.data() + filled, bytes.size() - filled);
        if (got < 0)
            throw fileError(Kind::Unreadable, fileName, "the file cannot be read");
        if (got == 0)
            break;
        filled += std::size_t(got);
    }
    bytes.resize(filled);
    return bytes;
}

Picture readPictureFile(const std::string &fileName)
{
    const std::vector<std::uint8_t> bytes = readPictureBytes(fileName);
    Picture picture;
    if (const auto problem = decodeBitmap(bytes, picture))
        throw fileError(Kind::Damaged, fileName, *problem);
    return picture;
}
