# Installation (cmake --install) and the Debian package (cpack -G DEB).
include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(JOBCOSTING_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(JOBCOSTING_UNITDIR lib/systemd/user)
# Named after the package, as Debian wants it, not after the project.
set(JOBCOSTING_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/jobcosting)

# jobcosting_install_configured(<template> <destination> [PROGRAM] [GZIP]):
# files that name installed paths are written at install time, so that they
# name the prefix of that install (cmake --install --prefix, or CPack's /usr).
function(jobcosting_install_configured template destination)
    cmake_parse_arguments(PARSE_ARGV 2 arg "PROGRAM;GZIP" "" "")
    install(CODE "
        set(template [[${JOBCOSTING_PACKAGING_DIR}/${template}]])
        set(destination [[${destination}]])
        set(program ${arg_PROGRAM})
        set(gzip ${arg_GZIP})
        set(PROJECT_VERSION [[${PROJECT_VERSION}]])
        set(bindir [[${CMAKE_INSTALL_BINDIR}]])
        set(libexecdir [[${CMAKE_INSTALL_LIBEXECDIR}]])
        set(unitdir [[${JOBCOSTING_UNITDIR}]])
        set(stage [[${CMAKE_BINARY_DIR}/install-stage]])
        include([[${CMAKE_CURRENT_FUNCTION_LIST_DIR}/InstallConfigured.cmake]])")
endfunction()

set(JOBCOSTING_PROGRAMS jobcosting jobcosting-site)
if(TARGET jobcosting-report)
    list(APPEND JOBCOSTING_PROGRAMS jobcosting-report)
endif()
list(APPEND JOBCOSTING_PROGRAMS jobcosting-desk)
install(TARGETS ${JOBCOSTING_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
foreach(program IN LISTS JOBCOSTING_PROGRAMS)
    jobcosting_install_configured(man/${program}.1.in ${CMAKE_INSTALL_MANDIR}/man1 GZIP)
endforeach()

jobcosting_install_configured(start-in-site.in ${CMAKE_INSTALL_LIBEXECDIR}/jobcosting PROGRAM)
jobcosting_install_configured(jobcosting.desktop.in ${CMAKE_INSTALL_DATADIR}/applications)
jobcosting_install_configured(jobcosting-desk.desktop.in ${CMAKE_INSTALL_DATADIR}/applications)
jobcosting_install_configured(jobcosting.service.in ${JOBCOSTING_UNITDIR})
install(FILES ${JOBCOSTING_PACKAGING_DIR}/org.example.jobcosting.metainfo.xml
    ${JOBCOSTING_PACKAGING_DIR}/org.example.jobcosting.desk.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

foreach(size 16 32 48 64 128 256)
    install(FILES ${JOBCOSTING_PACKAGING_DIR}/icons/${size}x${size}/jobcosting.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${JOBCOSTING_PACKAGING_DIR}/icons/jobcosting.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES README.md DESTINATION ${JOBCOSTING_DOCDIR})
# A package whose version has no Debian revision is native: its Debian
# changelog is changelog.gz.
jobcosting_install_configured(changelog ${JOBCOSTING_DOCDIR} GZIP)

# LICENSE, the one statement of the licence, as Debian's machine-readable
# copyright file.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/LICENSE)
file(READ ${CMAKE_SOURCE_DIR}/LICENSE licence)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" copyright "${licence}")
set(JOBCOSTING_COPYRIGHT ${CMAKE_MATCH_1})
string(REGEX REPLACE "^.*\nPermission" "Permission" licence "${licence}")
string(STRIP "${licence}" licence)
string(REPLACE "\n\n" "\n.\n" licence "${licence}")
string(REPLACE "\n" "\n " JOBCOSTING_LICENCE " ${licence}")
configure_file(${JOBCOSTING_PACKAGING_DIR}/copyright.in ${CMAKE_BINARY_DIR}/generated/copyright @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/generated/copyright DESTINATION ${JOBCOSTING_DOCDIR})

set(JOBCOSTING_MAINTAINER "Job Costing maintainers <jobcosting@example.org>"
    CACHE STRING "The Maintainer of the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME jobcosting)
set(CPACK_PACKAGE_CONTACT ${JOBCOSTING_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "shop-floor job-costing punch terminal")
# The summary is the first line of the Debian description; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "\
A terminal that records, for each worker, which job he works on, from when
to when, and how many pieces he makes. A worker types or scans his badge,
names the job he starts on up to three levels, and ends it later, giving the
pieces made where the job pays a bonus. It works on the database files of a
site folder, beside the site's time-clock program.

The package holds the terminal (jobcosting), its menu entry, a systemd user
unit that runs it as a kiosk, the site tool (jobcosting-site), and the
supervisor's desk (jobcosting-desk), which shows the jobs open now and
corrects punches, each correction kept with its reason.")
if(TARGET jobcosting-report)
    string(APPEND CPACK_DEBIAN_PACKAGE_DESCRIPTION
        "\nThe job-cost report (jobcosting-report) turns the job punches into\n"
        "labour cost per job and bonus pay per worker.")
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the shared-library scan cannot see (the fonts, Qt's SQL drivers, which
# are plugins) is the run list of packaging/debian-packages.
file(STRINGS ${JOBCOSTING_PACKAGING_DIR}/debian-packages JOBCOSTING_RUN_PACKAGES REGEX "^run:")
string(REGEX REPLACE "^run: *" "" JOBCOSTING_RUN_PACKAGES "${JOBCOSTING_RUN_PACKAGES}")
string(REGEX REPLACE " +" ", " CPACK_DEBIAN_PACKAGE_DEPENDS "${JOBCOSTING_RUN_PACKAGES}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${JOBCOSTING_PACKAGING_DIR}/postinst ${JOBCOSTING_PACKAGING_DIR}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackageComments.cmake)
set(CPACK_JOBCOSTING_OBJCOPY ${CMAKE_OBJCOPY})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
