# Cross-compiles the Windows program with mingw-w64 on Debian. The -posix
# compilers carry std::thread and std::mutex, which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# One self-contained .exe: no libstdc++, libgcc or winpthread DLLs beside it.
# Sections aligned to whole pages in the file can be mapped as they lie, not
# copied, which shortens the start under Wine by a tenth; a release carries
# no symbols (the zip's program is stripped as well).
# No link time in the header (nor the checksum over it): the same commit
# gives the same bytes whenever it is built.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--file-alignment=0x1000 -Wl,--no-insert-timestamp")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
# Tests of the Windows build run under Wine.
find_program(CORVEX_WINE NAMES wine64 wine)
if(CORVEX_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CORVEX_WINE})
endif()
