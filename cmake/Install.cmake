# Installed layout: the window's program, kt9-cli, their Resources/ folder and the SDK library
# together in <prefix>/lib/kt9-config (the programs find Resources/ beside themselves and the
# library through their RPATH), a command for each in <prefix>/bin, and a menu entry with its icon.
# On Windows the same files go into <prefix> itself, with the DLLs the programs need
# (cmake/WindowsPackage.cmake).
include(GNUInstallDirs)

if(WIN32)
    set(KT9_INSTALL_DIR .)
else()
    set(KT9_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/kt9-config)
endif()
set(KT9_PROGRAMS kt9-config kt9-cli)
set_target_properties(${KT9_PROGRAMS} PROPERTIES INSTALL_RPATH "$ORIGIN")

install(TARGETS ${KT9_PROGRAMS} RUNTIME DESTINATION ${KT9_INSTALL_DIR})
if(NOT QLXSDK_LIBRARY)
    install(TARGETS qlxsdk LIBRARY DESTINATION ${KT9_INSTALL_DIR} RUNTIME DESTINATION ${KT9_INSTALL_DIR})
endif()
install(FILES ${KT9_RESOURCES_DIR}/KT_9.ico ${KT9_RESOURCES_DIR}/en.qm ${KT9_RESOURCES_DIR}/jp.qm
        ${KT9_QT_QM_FILES}
        DESTINATION ${KT9_INSTALL_DIR}/Resources)
if(WIN32)
    include(cmake/WindowsPackage.cmake)
    return()
endif()
install(FILES ${KT9_RESOURCES_DIR}/kt9-config.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)
install(FILES ${CMAKE_SOURCE_DIR}/Resources/kt9-config.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# A stripped install (cpack, cmake --install --strip) also drops the compilers' version notes,
# which strip keeps.
set(KT9_STRIPPED_FILES "")
foreach(program IN LISTS KT9_PROGRAMS)
    list(APPEND KT9_STRIPPED_FILES ${KT9_INSTALL_DIR}/$<TARGET_FILE_NAME:${program}>)
endforeach()
if(NOT QLXSDK_LIBRARY)
    list(APPEND KT9_STRIPPED_FILES ${KT9_INSTALL_DIR}/$<TARGET_FILE_NAME:qlxsdk>)
endif()
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        foreach(file ${KT9_STRIPPED_FILES})
            execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${file}\" COMMAND_ERROR_IS_FATAL ANY)
        endforeach()
    endif()
")

# Documentation as Debian wants it: the copyright file, the changelog and every manual page of
# docs/man/ (a new page there is installed without further change), the last two compressed with
# gzip -9n so the package is the same from build to build.
find_program(KT9_GZIP gzip)
if(NOT KT9_GZIP)
    message(FATAL_ERROR "gzip is needed to compress the changelog and the manual pages")
endif()
set(KT9_DOC_BUILD_DIR ${CMAKE_BINARY_DIR}/doc)
set(KT9_COMPRESSED_DOCS "")
function(kt9_compressed_doc source name)
    set(output ${KT9_DOC_BUILD_DIR}/${name}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${KT9_DOC_BUILD_DIR}
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${KT9_DOC_BUILD_DIR}/${name}
        COMMAND ${KT9_GZIP} -9nf ${KT9_DOC_BUILD_DIR}/${name}
        DEPENDS ${source}
        VERBATIM)
    set(KT9_COMPRESSED_DOCS ${KT9_COMPRESSED_DOCS} ${output} PARENT_SCOPE)
endfunction()
file(STRINGS ${CMAKE_SOURCE_DIR}/cmake/debian/changelog KT9_CHANGELOG_TOP LIMIT_COUNT 1)
if(NOT KT9_CHANGELOG_TOP MATCHES "^kt9-config \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "cmake/debian/changelog has no entry for version ${PROJECT_VERSION} on top")
endif()
kt9_compressed_doc(${CMAKE_SOURCE_DIR}/cmake/debian/changelog changelog)
install(FILES ${KT9_DOC_BUILD_DIR}/changelog.gz ${CMAKE_SOURCE_DIR}/cmake/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kt9-config)
file(GLOB KT9_MAN_PAGES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/man/*.1)
foreach(page IN LISTS KT9_MAN_PAGES)
    get_filename_component(name ${page} NAME)
    kt9_compressed_doc(${page} ${name})
    install(FILES ${KT9_DOC_BUILD_DIR}/${name}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(kt9_docs ALL DEPENDS ${KT9_COMPRESSED_DOCS})
install(FILES ${CMAKE_SOURCE_DIR}/cmake/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME kt9-config)

# The commands: relative symbolic links, so the package can be installed under any prefix.
foreach(program IN LISTS KT9_PROGRAMS)
    file(RELATIVE_PATH link_target /${CMAKE_INSTALL_BINDIR} /${KT9_INSTALL_DIR}/${program})
    install(CODE "
        file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
        file(CREATE_LINK \"${link_target}\"
             \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\" SYMBOLIC)
    ")
endforeach()

set(CPACK_PACKAGE_NAME kt9-config)
set(CPACK_PACKAGE_VENDOR "KT-9 tool team")
set(CPACK_PACKAGE_CONTACT "KT-9 tool team <team@kt9.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configuration tool for the KT-9 handheld spectrophotometer")
# The extended description; cpack puts the summary line above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A desktop program for service technicians: it lists the KT-9 instruments
reachable over USB or the network, connects to one, and reads and changes
its wireless LAN and TCP/IP settings and its automatic power-off time. It
registers the reference values of a white calibration plate and of an
ambient light adapter from their CSV files, and saves network settings to
INI files. English and Japanese. A second command, kt9-cli, does the same
from the command line for one instrument or for many at once.

The package carries a simulated instrument library, so the program runs
without an instrument; the instruments are JSON files that can be edited
while the program runs.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-noto-cjk")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/debian/drop-ldconfig-scripts.cmake)
include(CPack)
