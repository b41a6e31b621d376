#pragma once

#include "picturefile.h"

// Files as POSIX opens them: without waiting, and never as a controlling
// terminal.
class PosixFileOpener : public FileOpener
{
public:
    std::unique_ptr<OpenedFile> open(const std::string &fileName, Failure &why) const override;
};
