#include "win32fileopener.h"

#include <algorithm>
#include <filesystem>
#include <windows.h>

namespace {

class Win32File : public OpenedFile
{
public:
    explicit Win32File(HANDLE handle) : m_handle(handle) {}
    Win32File(const Win32File &) = delete;
    Win32File &operator=(const Win32File &) = delete;
    ~Win32File() override { CloseHandle(m_handle); }

    std::optional<Facts> facts() override
    {
        if (GetFileType(m_handle) != FILE_TYPE_DISK)
            return Facts{Kind::Other, 0};
        BY_HANDLE_FILE_INFORMATION information{};
        if (!GetFileInformationByHandle(m_handle, &information))
            return std::nullopt;
        return Facts{information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? Kind::Folder
                                                                             : Kind::Regular,
                     std::uint64_t(information.nFileSizeHigh) << 32 | information.nFileSizeLow};
    }

    long long read(std::uint8_t *into, std::size_t most) override
    {
        DWORD got = 0;
        if (!ReadFile(m_handle, into, DWORD(std::min<std::size_t>(most, MAXDWORD)), &got, nullptr))
            return -1;
        return got;
    }

private:
    HANDLE m_handle;
};

} // namespace

std::unique_ptr<OpenedFile> Win32FileOpener::open(const std::string &fileName, Failure &why) const
{
    const std::filesystem::path path(std::u8string(fileName.begin(), fileName.end()));
    // Another program may be writing the file (an editor, a sync client, a
    // copy): it is read all the same, up to the size it has now.
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        why = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Failure::Missing
              : error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION
                  ? Failure::Locked
                  : Failure::Unreadable;
        return nullptr;
    }
    return std::make_unique<Win32File>(handle);
}
