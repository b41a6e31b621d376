#pragma once

// The file opener of the platform this is built for, for code that runs on
// both desktops (tests, benchmarks).
#ifdef _WIN32
#include "win32/win32fileopener.h"
using PlatformFileOpener = Win32FileOpener;
#else
#include "qt/posixfileopener.h"
using PlatformFileOpener = PosixFileOpener;
#endif
