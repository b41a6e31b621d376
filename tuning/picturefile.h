#pragma once

#include "bitmap.h"

#include <cstdint>
#include <string>
#include <vector>

// The switch images as files: read afresh on every call from the current
// directory and decoded by the program itself, so that no platform decoder
// ever sees a file's bytes. Every failure is a FileError naming file, folder
// and reason.

// The bytes of the file, resolved against the current directory now. Only a
// regular file is read, and opening one never waits: a FIFO or a device put
// in its place is refused, not read.
std::vector<std::uint8_t> readPictureBytes(const std::string &fileName);

// The file's picture, decoded.
Picture readPictureFile(const std::string &fileName);

// Why a file of `size` bytes is refused before it is read.
std::string tooLargeReason(std::uint64_t size);

// The current directory as the user knows it (native separators).
std::string currentFolder();
