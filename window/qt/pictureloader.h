#pragma once

#include "bitmap.h"

#include <QImage>
#include <string>

// The decoded pixels as an image, without a copy: the image owns them.
QImage toQImage(Picture picture);

// Reads an image file named relative to the current directory, afresh on
// every call. Throws FileError, naming the file, the folder and the reason.
QImage loadPicture(const std::string &fileName);

// A bitmap carried inside the program, by the name of its file.
QImage loadEmbeddedPicture(const char *fileName);
