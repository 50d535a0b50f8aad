# Installed layout: the program, its Resources/ folder and the SDK library together in
# <prefix>/lib/kt9-config (the program finds Resources/ beside itself and the library through
# its RPATH), a command in <prefix>/bin, and a menu entry with its icon. On Windows the same
# files go into <prefix> itself, with the DLLs the program needs (cmake/WindowsPackage.cmake).
include(GNUInstallDirs)

if(WIN32)
    set(KT9_INSTALL_DIR .)
else()
    set(KT9_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/kt9-config)
endif()
set_target_properties(kt9-config PROPERTIES INSTALL_RPATH "$ORIGIN")

install(TARGETS kt9-config RUNTIME DESTINATION ${KT9_INSTALL_DIR})
if(NOT QLXSDK_LIBRARY)
    install(TARGETS qlxsdk LIBRARY DESTINATION ${KT9_INSTALL_DIR} RUNTIME DESTINATION ${KT9_INSTALL_DIR})
endif()
install(FILES ${KT9_RESOURCES_DIR}/KT_9.ico ${KT9_RESOURCES_DIR}/en.qm ${KT9_RESOURCES_DIR}/jp.qm
        DESTINATION ${KT9_INSTALL_DIR}/Resources)
if(WIN32)
    include(cmake/WindowsPackage.cmake)
    return()
endif()
install(FILES ${KT9_RESOURCES_DIR}/kt9-config.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)
install(FILES ${CMAKE_SOURCE_DIR}/Resources/kt9-config.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The command: a relative symbolic link, so the package can be installed under any prefix.
file(RELATIVE_PATH KT9_LINK_TARGET /${CMAKE_INSTALL_BINDIR} /${KT9_INSTALL_DIR}/kt9-config)
install(CODE "
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(CREATE_LINK \"${KT9_LINK_TARGET}\"
         \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/kt9-config\" SYMBOLIC)
")

set(CPACK_PACKAGE_NAME kt9-config)
set(CPACK_PACKAGE_VENDOR "KT-9 tool team")
set(CPACK_PACKAGE_CONTACT "KT-9 tool team <team@kt9.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configuration tool for the KT-9 handheld spectrophotometer")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-noto-cjk")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
