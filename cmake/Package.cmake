# `cpack` in the build folder makes a Debian package of the installed tree (programs, desktop
# entry, icon, file types and the shipped working folder) under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME talvex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Talvex")
set(CPACK_PACKAGE_CONTACT "Talvex developers <talvex@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "adding-machine calculator with an editable paper tape")
set(CPACK_PACKAGE_DESCRIPTION "Talvex keeps every calculation on a paper tape that can be \
corrected at any line: the rest of the tape follows. Tapes are documents to save, open and \
print; talvex-tape keys, recalculates and prints them from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The package's programs without their debugging symbols, as users install them.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link are found by dpkg-shlibdeps. The SVG icon engine is a Qt
# plugin that nothing links, so its package is named here; without it the window has no icon.
find_program(TALVEX_DPKG_SHLIBDEPS dpkg-shlibdeps)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
if(TALVEX_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS
           ", libqt6widgets6, libqt6network6, libqt6printsupport6, libqt6serialport6")
endif()
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "shared-mime-info, desktop-file-utils")
include(CPack)
