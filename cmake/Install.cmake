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
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/gearlog.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/gearlog.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/data/icons/gearlog.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/data/icons/gearlog-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME gearlog.png)
endforeach()

set(CPACK_PACKAGE_NAME gearlog)
set(CPACK_PACKAGE_VENDOR "GearLog")
set(CPACK_PACKAGE_CONTACT "GearLog developers <gearlog@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Planner for car restoration projects")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6, libqt6gui6, libqt6widgets6, libqt6sql6, libqt6sql6-sqlite, libqt6printsupport6, qt6-qpa-plugins, fonts-liberation")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
