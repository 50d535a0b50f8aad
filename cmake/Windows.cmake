# Windows build of the program: its icon and version information as a Windows resource, a GUI
# program without a console window, and what a program built here needs to run: the Qt and
# MinGW runtime DLLs and Qt's plugins. Included by the top CMakeLists.txt on Windows.

# The version as the window shows it ("1.10.0008") and as Windows does ("1.10.0.8").
string(LENGTH "${PROJECT_VERSION_PATCH}" KT9_PATCH_DIGITS)
math(EXPR KT9_PATCH_PADDING "4 - ${KT9_PATCH_DIGITS}")
string(REPEAT 0 ${KT9_PATCH_PADDING} KT9_PATCH_ZEROS)
set(KT9_DISPLAY_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${KT9_PATCH_ZEROS}${PROJECT_VERSION_PATCH})
set(KT9_FILE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.${PROJECT_VERSION_PATCH})

enable_language(RC)
set(KT9_RC_ICON ${KT9_RESOURCES_DIR}/KT_9.ico)
configure_file(${CMAKE_SOURCE_DIR}/app/kt9-config.rc.in ${CMAKE_BINARY_DIR}/kt9-config.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/kt9-config.rc PROPERTIES OBJECT_DEPENDS ${KT9_RC_ICON})
target_sources(kt9-config PRIVATE ${CMAKE_BINARY_DIR}/kt9-config.rc)
set_target_properties(kt9-config PROPERTIES WIN32_EXECUTABLE ON)

# 64-bit or 32-bit Windows: the packages' names, and the GCC runtime DLL, which is named after
# the exception handling of the architecture (SEH on 64-bit, DWARF-2 unwinding on 32-bit).
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(KT9_PACKAGE_ARCH win64)
    set(KT9_WINDOWS_BITS 64)
    set(KT9_GCC_RUNTIME_DLL libgcc_s_seh-1.dll)
else()
    set(KT9_PACKAGE_ARCH win32)
    set(KT9_WINDOWS_BITS 32)
    set(KT9_GCC_RUNTIME_DLL libgcc_s_dw2-1.dll)
endif()

# The MinGW runtime DLLs every program built here loads.
set(KT9_MINGW_RUNTIME_DLLS "")
foreach(dll libstdc++-6.dll ${KT9_GCC_RUNTIME_DLL} libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(found "${found}" REALPATH)
    if(NOT EXISTS "${found}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know ${dll}: is it the posix MinGW-w64 compiler?")
    endif()
    list(APPEND KT9_MINGW_RUNTIME_DLLS ${found})
endforeach()

get_target_property(KT9_QT_CORE_DLL Qt5::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(KT9_QT_DLL_DIR ${KT9_QT_CORE_DLL} DIRECTORY)
get_target_property(KT9_QT_PLATFORM_PLUGIN Qt5::QWindowsIntegrationPlugin IMPORTED_LOCATION_RELEASE)
get_filename_component(KT9_QT_PLUGIN_DIR ${KT9_QT_PLATFORM_PLUGIN} DIRECTORY)
get_filename_component(KT9_QT_PLUGIN_DIR ${KT9_QT_PLUGIN_DIR} DIRECTORY)

# A build-machine path as the programs see it: under Wine the build machine's root is drive Z:.
function(kt9_target_path variable path)
    if(CMAKE_HOST_UNIX)
        set(path "Z:${path}")
    endif()
    set(${variable} "${path}" PARENT_SCOPE)
endfunction()

# What the tests need besides their own environment: the DLLs' folders for the emulator
# (cmake/wine-run.sh; the build's own folder too, for a copy of a test elsewhere, as the RPATH
# does on Linux), Qt's plugins, and Qt's messages and test log on standard output and error.
# A Windows program without a console window sends them to the debugger instead.
set(KT9_RUNTIME_DLL_DIRS ${KT9_OUTPUT_DIR} ${KT9_QT_DLL_DIR})
foreach(dll IN LISTS KT9_MINGW_RUNTIME_DLLS)
    get_filename_component(dir ${dll} DIRECTORY)
    list(APPEND KT9_RUNTIME_DLL_DIRS ${dir})
endforeach()
list(REMOVE_DUPLICATES KT9_RUNTIME_DLL_DIRS)
string(REPLACE ";" ":" KT9_RUNTIME_DLL_DIRS "${KT9_RUNTIME_DLL_DIRS}")
kt9_target_path(KT9_TARGET_QT_PLUGIN_DIR ${KT9_QT_PLUGIN_DIR})
set(KT9_WINDOWS_TEST_ENV
    "KT9_WINE_DLL_DIRS=${KT9_RUNTIME_DLL_DIRS}"
    "QT_PLUGIN_PATH=${KT9_TARGET_QT_PLUGIN_DIR}"
    "QT_FORCE_STDERR_LOGGING=1")
# On Windows the headless platform plugin takes its fonts from one folder of font files; without
# one it draws no text and says so for every widget.
find_path(KT9_TEST_FONT_DIR DejaVuSans.ttf PATHS /usr/share/fonts/truetype/dejavu NO_DEFAULT_PATH)
if(KT9_TEST_FONT_DIR)
    kt9_target_path(KT9_TARGET_TEST_FONT_DIR ${KT9_TEST_FONT_DIR})
    list(APPEND KT9_WINDOWS_TEST_ENV "QT_QPA_FONTDIR=${KT9_TARGET_TEST_FONT_DIR}")
endif()

# The maker's library is linked through its import library (.lib or .dll.a) or through the DLL
# itself, which MinGW's linker takes as well.
if(QLXSDK_LIBRARY)
    set_target_properties(qlxsdk_for_program PROPERTIES IMPORTED_IMPLIB ${QLXSDK_LIBRARY})
endif()

# For the Windows package's Wine run (scripts/check-windows-package.sh), whose helper programs
# come from this build.
file(WRITE ${CMAKE_BINARY_DIR}/wine-dll-dirs.txt "${KT9_RUNTIME_DLL_DIRS}\n")
