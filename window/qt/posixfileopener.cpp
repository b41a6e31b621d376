#include "posixfileopener.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class PosixFile : public OpenedFile
{
public:
    explicit PosixFile(int descriptor) : m_descriptor(descriptor) {}
    PosixFile(const PosixFile &) = delete;
    PosixFile &operator=(const PosixFile &) = delete;
    ~PosixFile() override { close(m_descriptor); }

    std::optional<Facts> facts() override
    {
        struct stat status {
        };
        if (fstat(m_descriptor, &status) != 0)
            return std::nullopt;
        const Kind kind = S_ISDIR(status.st_mode)   ? Kind::Folder
                          : S_ISREG(status.st_mode) ? Kind::Regular
                                                    : Kind::Other;
        return Facts{kind, std::uint64_t(status.st_size)};
    }

    long long read(std::uint8_t *into, std::size_t most) override
    {
        ssize_t got;
        do
            got = ::read(m_descriptor, into, most);
        while (got < 0 && errno == EINTR);
        return got;
    }

private:
    int m_descriptor;
};

} // namespace

std::unique_ptr<OpenedFile> PosixFileOpener::open(const std::string &fileName, Failure &why) const
{
    const int descriptor = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0) {
        why = errno == ENOENT || errno == ENOTDIR ? Failure::Missing : Failure::Unreadable;
        return nullptr;
    }
    return std::make_unique<PosixFile>(descriptor);
}
