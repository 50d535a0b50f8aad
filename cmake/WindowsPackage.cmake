# The Windows package: one folder with the program, the simulated SDK as QLXSDK.dll,
# Resources/, README.txt, and the Qt and MinGW runtime DLLs and Qt plugins the program loads
# (nothing else), zipped by `cpack -G ZIP` as kt9-config-<version>-win64.zip. The program's
# own files come from the install rules in Install.cmake; this adds what Windows needs beside
# them. Included by Install.cmake on Windows.

install(FILES $<TARGET_FILE:Qt5::Core> $<TARGET_FILE:Qt5::Gui> $<TARGET_FILE:Qt5::Widgets>
        ${KT9_MINGW_RUNTIME_DLLS}
        DESTINATION ${KT9_INSTALL_DIR})
# The MinGW runtime DLLs come with their debugging information (libstdc++-6.dll: 24 MB, 2 MB
# without); a stripped install (cpack) drops it, as it does for the program's own files.
foreach(dll IN LISTS KT9_MINGW_RUNTIME_DLLS)
    get_filename_component(name ${dll} NAME)
    install(CODE "
        if(CMAKE_INSTALL_DO_STRIP)
            execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded
                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${KT9_INSTALL_DIR}/${name}\")
        endif()")
endforeach()
install(FILES $<TARGET_FILE:Qt5::QWindowsIntegrationPlugin> DESTINATION ${KT9_INSTALL_DIR}/platforms)
install(FILES $<TARGET_FILE:Qt5::QWindowsVistaStylePlugin> DESTINATION ${KT9_INSTALL_DIR}/styles)
install(FILES $<TARGET_FILE:Qt5::QICOPlugin> DESTINATION ${KT9_INSTALL_DIR}/imageformats)
configure_file(${CMAKE_SOURCE_DIR}/cmake/README.txt.in ${CMAKE_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION ${KT9_INSTALL_DIR})

set(CPACK_PACKAGE_NAME kt9-config)
set(CPACK_PACKAGE_VENDOR "KT-9 tool team")
set(CPACK_PACKAGE_VERSION ${KT9_DISPLAY_VERSION})
set(CPACK_PACKAGE_FILE_NAME kt9-config-${KT9_DISPLAY_VERSION}-win64)
set(CPACK_GENERATOR ZIP)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
