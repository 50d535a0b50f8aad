# Run by cpack right after it has made the Debian package (CPACK_POST_BUILD_SCRIPTS).
#
# CPack gives a package postinst and postrm scripts that run ldconfig whenever a shared library
# lies in /usr/lib or in a folder just below it. Ours lies in the program's private folder
# /usr/lib/kt9-config, where the program finds it through its RPATH: ldconfig has nothing to do
# there, and Debian's policy is not to call it from maintainer scripts at all. The package is
# rebuilt without the two scripts; any other script content stops the build instead of being
# dropped.
set(expected_postinst "#!/bin/sh\n\nset -e\n\nif [ \"$1\" = \"configure\" ]; then\n\tldconfig\nfi\n")
set(expected_postrm "#!/bin/sh\n\nset -e\n\nif [ \"$1\" = \"remove\" ]; then\n\tldconfig\nfi\n")

foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(NOT package MATCHES "\\.deb$")
        continue()
    endif()
    set(tree "${CPACK_TOPLEVEL_DIRECTORY}/without-ldconfig")
    file(REMOVE_RECURSE "${tree}")
    execute_process(COMMAND dpkg-deb -R "${package}" "${tree}" RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "dpkg-deb cannot unpack ${package}")
    endif()
    set(changed FALSE)
    foreach(script postinst postrm)
        if(EXISTS "${tree}/DEBIAN/${script}")
            file(READ "${tree}/DEBIAN/${script}" content)
            if(NOT content STREQUAL expected_${script})
                message(FATAL_ERROR "${package}: the ${script} script does more than call ldconfig:\n${content}")
            endif()
            file(REMOVE "${tree}/DEBIAN/${script}")
            set(changed TRUE)
        endif()
    endforeach()
    if(changed)
        execute_process(COMMAND dpkg-deb --root-owner-group -Zgzip --build "${tree}" "${package}"
            RESULT_VARIABLE result OUTPUT_QUIET)
        if(NOT result EQUAL 0)
            message(FATAL_ERROR "dpkg-deb cannot rebuild ${package}")
        endif()
    endif()
    file(REMOVE_RECURSE "${tree}")
endforeach()
