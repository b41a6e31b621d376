#pragma once

#include "bitmap.h"

#include <windows.h>

// A bitmap carried in the program's resources, by the name of its file,
// decoded by the same decoder as the files the program reads.
Picture loadEmbeddedPicture(HINSTANCE instance, const char *fileName);
