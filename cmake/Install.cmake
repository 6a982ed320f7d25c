# Installing GearLog like any desktop program, and a Debian package of it.
include(GNUInstallDirs)

install(TARGETS gearlog RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The sample database is made at install time by the program itself, its pictures recorded where
# they are installed (not where the staging folder of a package build puts them).
set(GEARLOG_DATA_DIR ${CMAKE_INSTALL_DATADIR}/gearlog)
install(CODE "
    set(installed \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/gearlog\")
    set(data \"\$ENV{DESTDIR}\${installed}\")
    file(REMOVE \"\${data}/ShopData.mdb\")
    file(MAKE_DIRECTORY \"\${data}\")
    execute_process(COMMAND \"$<TARGET_FILE:gearlog>\" --create-database \"\${data}/ShopData.mdb\"
                            --picture-folder \"\${installed}/Pictures\"
                    RESULT_VARIABLE result OUTPUT_QUIET)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR \"Could not make the sample database\")
    endif()
")

install(FILES ${CMAKE_SOURCE_DIR}/data/help/Gear-Log.html DESTINATION ${GEARLOG_DATA_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/data/help/Gear-Log.html DESTINATION ${GEARLOG_DATA_DIR}/Help)

# The desktop entry, the AppStream metadata and the icons are named after the reverse-DNS id,
# as AppStream and the desktops expect; the command stays "gearlog".
set(GEARLOG_APP_ID org.example.GearLog)
# The project's home page; the screenshots in the AppStream metadata are the README's pictures there.
set(GEARLOG_HOMEPAGE https://www.example.org/gearlog)
set(GEARLOG_SCREENSHOTS ${GEARLOG_HOMEPAGE}/docs)
set(generated ${CMAKE_BINARY_DIR}/data)

configure_file(${CMAKE_SOURCE_DIR}/data/desktop/${GEARLOG_APP_ID}.metainfo.xml.in
               ${generated}/${GEARLOG_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/${GEARLOG_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${generated}/${GEARLOG_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/data/icons/gearlog.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${GEARLOG_APP_ID}.svg)
foreach(size 16 24 32 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/data/icons/gearlog-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${GEARLOG_APP_ID}.png)
endforeach()

# Compressed as Debian wants them (gzip -9n: smallest, and the same bytes on every build), when cmake runs,
# so installing never depends on what was built.
function(gearlog_gzip source output)
    execute_process(COMMAND gzip -9n -c ${source} OUTPUT_FILE ${output} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "Could not compress ${source}")
    endif()
    set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
endfunction()

# The manual page; the install test checks it names every option that --help prints.
configure_file(${CMAKE_SOURCE_DIR}/data/man/gearlog.1.in ${generated}/gearlog.1 @ONLY)
gearlog_gzip(${generated}/gearlog.1 ${generated}/gearlog.1.gz)
install(FILES ${generated}/gearlog.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The package's own papers. The changelog's newest entry gives the package's revision; its version is
# the project's, which the install test checks.
set(GEARLOG_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/gearlog)
configure_file(${CMAKE_SOURCE_DIR}/data/debian/copyright.in ${generated}/copyright @ONLY)
gearlog_gzip(${CMAKE_SOURCE_DIR}/data/debian/changelog ${generated}/changelog.Debian.gz)
install(FILES ${generated}/copyright ${generated}/changelog.Debian.gz DESTINATION ${GEARLOG_DOC_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/data/debian/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides
        RENAME gearlog)
file(STRINGS ${CMAKE_SOURCE_DIR}/data/debian/changelog changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^gearlog \\(([^)-]+)-([^)]+)\\)")
    message(FATAL_ERROR "data/debian/changelog must start with: gearlog (VERSION-REVISION) ...")
endif()
set(GEARLOG_DEB_REVISION ${CMAKE_MATCH_2})

set(CPACK_PACKAGE_NAME gearlog)
set(CPACK_PACKAGE_VENDOR "GearLog")
set(CPACK_PACKAGE_CONTACT "GearLog developers <gearlog@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "planner for car restoration projects")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${CMAKE_SOURCE_DIR}/data/debian/description)
set(CPACK_PACKAGE_HOMEPAGE_URL ${GEARLOG_HOMEPAGE})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${GEARLOG_DEB_REVISION})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The libraries come from dpkg-shlibdeps; what Qt loads at run time (the SQLite driver, the platform
# plugins) and the fonts the reports are measured with, it cannot see.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-qpa-plugins, fonts-liberation")
# A database shared on a PostgreSQL server needs Qt's driver for it; a file alone does not.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libqt6sql6-psql")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The program in the package is stripped. (CPack's own -dbgsym package is not used: it lists its files
# in md5sums by their build folder paths, and has no copyright or changelog.)
set(CPACK_STRIP_FILES ON)
include(CPack)
