#pragma once

#include "bitmap.h"

#include <QImage>
#include <string>

// The decoded pixels as an image, without a copy: the image owns them.
QImage toQImage(Picture picture);

// A bitmap carried inside the program, by the name of its file.
Picture loadEmbeddedPicture(const char *fileName);
