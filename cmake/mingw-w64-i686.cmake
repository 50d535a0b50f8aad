# Cross-compiling for 32-bit Windows with Debian's MinGW-w64 (posix thread model, DWARF-2
# exceptions), for a maker's SDK DLL that is 32-bit. See mingw-w64.cmake.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KT9_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
