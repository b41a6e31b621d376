#include "runtimeerror.h"

RuntimeError::RuntimeError(const QString &message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}

FileError::FileError(const QString &fileName, const QString &directory, const QString &reason)
    : RuntimeError(
          QStringLiteral("The picture \"%1\" could not be read from the folder \"%2\": %3.")
              .arg(fileName, directory, reason)),
      m_fileName(fileName), m_directory(directory), m_reason(reason)
{
}
