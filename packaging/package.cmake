# The Debian package: `cpack -G DEB` in the build folder makes qz3rok-setting_<version>_<arch>.deb
# with everything `cmake --install` puts in place, installed under /usr. Its dependencies on
# Debian's Qt 6 libraries come from the programs themselves (dpkg-shlibdeps, in dpkg-dev).
# The package's version is the project's; the programs say it as major.minor.0.revision.
set(CPACK_PACKAGE_NAME qz3rok-setting)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION "Edits the fuel (Fi) and ignition (IG) maps, the RU map, the axes
and the speeds of the kit ECU in .E2P files, and reads and writes the ECU
over its serial line. qz3rok-cli reads, writes, shows and compares the data
on a terminal without a display.")
set(CPACK_PACKAGE_CONTACT "QZ3ROK setting tool maintainers <maintainers@users.noreply.example>"
    CACHE STRING "Maintainer of the Debian package")

# The copyright, the changelog and a manual page for each program, compressed as Debian wants
# (gzip -9 without a name or time stamp, so that the same sources give the same package).
include(GNUInstallDirs)
set(ECU_PROGRAM_VERSION
    "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.${PROJECT_VERSION_PATCH}")
set(doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/qz3rok-setting)
set(compressed)
foreach(file changelog qz3rok-setting.1 qz3rok-cli.1)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/${file}.in ${CMAKE_BINARY_DIR}/packaging/${file} @ONLY)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/${file}.gz
                       COMMAND gzip -9nf -k ${CMAKE_BINARY_DIR}/packaging/${file}
                       DEPENDS ${CMAKE_BINARY_DIR}/packaging/${file} VERBATIM)
    list(APPEND compressed ${CMAKE_BINARY_DIR}/packaging/${file}.gz)
endforeach()
add_custom_target(package_documents ALL DEPENDS ${compressed})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${doc_dir})
install(FILES ${CMAKE_BINARY_DIR}/packaging/qz3rok-setting.1.gz
              ${CMAKE_BINARY_DIR}/packaging/qz3rok-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's GUI library only recommends its platform plugins: installed without recommends, the
# window cannot start. The 3-D views need Qt's OpenGL library, named here rather than left to
# what the 3-D library happens to depend on.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6opengl6")
# The desktop picks up the MIME type and the desktop entry through these packages' triggers.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
set(CPACK_GENERATOR DEB)
include(CPack)
