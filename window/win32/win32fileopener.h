#pragma once

#include "picturefile.h"

// Files as Windows opens them: shared with a program that writes or deletes
// them, and a folder opened only so that it can be named as one.
class Win32FileOpener : public FileOpener
{
public:
    std::unique_ptr<OpenedFile> open(const std::string &fileName, Failure &why) const override;
};
