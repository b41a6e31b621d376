#pragma once

#include <windows.h>

// A library of the system, from the system folder alone: by bare name the
// program's own folder would be searched first, and a file planted there
// (a downloads folder, a USB stick) would run inside the program.
inline HMODULE systemLibrary(const wchar_t *name)
{
    return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// A function of a library loaded at run time, or null: what the first frame
// does not need is not an import of the program, so it is not loaded before it.
template <class Function> Function libraryFunction(HMODULE library, const char *name)
{
    return library
               ? reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(library, name)))
               : nullptr;
}
