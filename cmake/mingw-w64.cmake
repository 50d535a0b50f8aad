# Cross-compiling for Windows with Debian's MinGW-w64 (posix thread model, so that std::thread,
# std::mutex and std::atomic work), for the architecture that mingw-w64-<arch>.cmake sets
# (CMAKE_SYSTEM_PROCESSOR, KT9_MINGW_TRIPLET) before it includes this file. Qt for MinGW is
# found through CMAKE_PREFIX_PATH; the translation tools lupdate/lrelease stay the build machine's own.
# Programs built here run on the build machine through cmake/wine-run.sh (ctest's emulator).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${KT9_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KT9_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KT9_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KT9_MINGW_TRIPLET})
# Build-time programs (lrelease, lupdate, the host's own tools) come from the build machine;
# libraries from the target's folders; packages from CMAKE_PREFIX_PATH (Qt for MinGW) or the
# build machine (the translation tools); files (find_file, find_path) from either, since the
# project looks only for portable data there, such as compiled translations and fonts.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# Qt for MinGW brings no translation tools; the build machine's Qt 5 package does.
if(NOT Qt5LinguistTools_DIR)
    file(GLOB KT9_HOST_LINGUIST_TOOLS /usr/lib/*/cmake/Qt5LinguistTools/Qt5LinguistToolsConfig.cmake)
    if(KT9_HOST_LINGUIST_TOOLS)
        list(GET KT9_HOST_LINGUIST_TOOLS 0 KT9_HOST_LINGUIST_TOOLS)
        get_filename_component(Qt5LinguistTools_DIR ${KT9_HOST_LINGUIST_TOOLS} DIRECTORY CACHE)
    endif()
endif()

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
