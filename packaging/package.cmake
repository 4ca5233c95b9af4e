# The Debian package: `cpack -G DEB` in the build folder makes qz3rok-setting_<version>_<arch>.deb
# with everything `cmake --install` puts in place, installed under /usr. Its dependencies on
# Debian's Qt 6 libraries come from the programs themselves (dpkg-shlibdeps, in dpkg-dev).
set(CPACK_PACKAGE_NAME qz3rok-setting)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION "Edits the fuel (Fi) and ignition (IG) maps, the RU map, the \
axes and the speeds of the kit ECU in .E2P files, and reads and writes the ECU over its serial \
line. qz3rok-cli reads, writes, shows and compares the data on a terminal without a display.")
set(CPACK_PACKAGE_CONTACT "QZ3ROK setting tool maintainers <maintainers@users.noreply.example>"
    CACHE STRING "Maintainer of the Debian package")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The desktop picks up the MIME type and the desktop entry through these packages' triggers.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
set(CPACK_GENERATOR DEB)
include(CPack)
