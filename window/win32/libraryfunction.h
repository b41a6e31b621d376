#pragma once

#include <windows.h>

// A function of a library loaded at run time, or null: what the first frame
// does not need is not an import of the program, so it is not loaded before it.
template <class Function> Function libraryFunction(HMODULE library, const char *name)
{
    return library
               ? reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(library, name)))
               : nullptr;
}
