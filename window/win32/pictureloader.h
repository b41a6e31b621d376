#pragma once

#include "handles.h"

#include <string>

// Reads an image file named relative to the current directory, afresh on
// every call, and decodes it with GDI. Throws FileError, naming the file,
// the folder and the reason.
OwnedBitmap loadPicture(const std::string &fileName);

// A bitmap carried in the program's resources, by the name of its file.
OwnedBitmap loadEmbeddedPicture(HINSTANCE instance, const std::string &fileName);
