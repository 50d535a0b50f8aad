# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix thread model, so that
# std::thread, std::mutex and std::atomic work). See mingw-w64.cmake.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KT9_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
