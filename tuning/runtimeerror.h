#pragma once

#include <QString>
#include <stdexcept>

// Errors of the program's small runtime layer. None is caught inside an event:
// each travels to the one error report at the top of the program.
class RuntimeError : public std::runtime_error
{
public:
    explicit RuntimeError(const QString &message);

    // Text for the user, in words they can act on.
    QString message() const { return m_message; }

private:
    QString m_message;
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

// An image file could not be read.
class FileError : public RuntimeError
{
public:
    FileError(const QString &fileName, const QString &directory, const QString &reason);

    QString fileName() const { return m_fileName; }
    QString directory() const { return m_directory; }
    QString reason() const { return m_reason; }

private:
    QString m_fileName;
    QString m_directory;
    QString m_reason;
};
