#pragma once

#include <stdexcept>
#include <string>

// Errors of the program's small runtime layer. None is caught inside an event:
// each travels to the one error report at the top of the program. Messages are
// UTF-8, in words the user can act on.
class RuntimeError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Signed 16-bit integer arithmetic left its range.
class OverflowError : public RuntimeError
{
public:
    using RuntimeError::RuntimeError;
};

// A floating-point step gave an infinite or undefined result.
class FloatingPointError : public RuntimeError
{
public:
    using RuntimeError::RuntimeError;
};

// An image file could not be read. The kind tells the user what to do about it.
class FileError : public RuntimeError
{
public:
    enum class Kind { Missing, Unreadable, Locked, Damaged };

    FileError(Kind kind, std::string fileName, std::string folder, std::string reason)
        : RuntimeError(fileName + ": " + reason), m_kind(kind), m_fileName(std::move(fileName)),
          m_folder(std::move(folder)), m_reason(std::move(reason))
    {
    }

    Kind kind() const { return m_kind; }
    const std::string &fileName() const { return m_fileName; }
    const std::string &folder() const { return m_folder; }
    const std::string &reason() const { return m_reason; }

private:
    Kind m_kind;
    std::string m_fileName;
    std::string m_folder;
    std::string m_reason;
};
