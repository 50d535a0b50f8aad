# The Windows package: one folder with the program, the simulated SDK as QLXSDK.dll,
# Resources/, README.txt, and the Qt and MinGW runtime DLLs and Qt plugins the program loads
# (nothing else). scripts/package-windows.sh installs it (cmake --install --strip) and makes
# from it kt9-config-<version>-<win64|win32>.zip and the setup program of the same name. The
# program's own files come from the install rules in Install.cmake; this adds what Windows needs
# beside them. Included by Install.cmake on Windows.

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

# What scripts/package-windows.sh needs to know of this build, as shell variables: the names,
# the versions, and the programs and DLLs the project builds itself (those it signs).
set(KT9_OWN_BINARIES $<TARGET_FILE_NAME:kt9-config> $<TARGET_FILE_NAME:kt9-cli>)
if(NOT QLXSDK_LIBRARY)
    list(APPEND KT9_OWN_BINARIES $<TARGET_FILE_NAME:qlxsdk>)
endif()
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/windows-package.sh CONTENT "\
package=kt9-config-${KT9_DISPLAY_VERSION}-${KT9_PACKAGE_ARCH}
package_arch=${KT9_PACKAGE_ARCH}
version=${KT9_DISPLAY_VERSION}
file_version=${KT9_FILE_VERSION}
publisher='KT-9 tool team'
own_binaries='$<JOIN:${KT9_OWN_BINARIES}, >'
")
