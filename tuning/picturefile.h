#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The switch images as files: read afresh on every call from the current
// directory, and checked to be a whole Windows bitmap before a platform
// decoder sees them. Every failure is a FileError naming file, folder and
// reason.

// The largest picture either side may have: a switch is 8 x 19 pixels.
inline constexpr int LargestPictureSide = 4096;

// The bytes of the file, resolved against the current directory now.
std::vector<std::uint8_t> readPictureFile(const std::string &fileName);

// What is wrong with these bytes as a Windows bitmap, or nothing.
std::optional<std::string> bitmapProblem(const std::vector<std::uint8_t> &bytes);

// The current directory as the user knows it (native separators).
std::string currentFolder();
