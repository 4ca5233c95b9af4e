# Builds the Debian package from the build, has lintian check it (an error fails; warnings are
# shown), unpacks it into a scratch root and checks that the programs, the desktop entry, the
# MIME type, the icon, the sample, the manual pages, the copyright and the changelog land where
# desktops and users look for them, that the package declares the Qt libraries the programs
# need, and that the unpacked command-line program runs and says the package's version.
file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND cpack -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${WORK}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
file(GLOB packages "${WORK}/qz3rok-setting_*.deb")
list(LENGTH packages count)
if(NOT result EQUAL 0 OR NOT count EQUAL 1)
    message(FATAL_ERROR "cpack made no package (${result}):\n${output}")
endif()

# The hardening lintian looks for shows among its notes: bound at start and read-only
# relocations always, checked libc calls where the compiler optimises.
find_program(LINTIAN lintian REQUIRED)
execute_process(COMMAND ${LINTIAN} --fail-on error --display-info --tag-display-limit 0
                        ${packages}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
set(hardening "hardening-no-(bindnow|relro|pie)")
if(OPTIMISED)
    set(hardening "hardening-no-(bindnow|relro|pie|fortify-functions)")
endif()
if(NOT result EQUAL 0 OR output MATCHES "${hardening}")
    message(FATAL_ERROR "lintian finds errors or a binary without hardening (${result}):\n"
                        "${output}")
endif()
message(STATUS "lintian:\n${output}")

set(root "${WORK}/root")
execute_process(COMMAND dpkg-deb -x ${packages} "${root}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "dpkg-deb -x failed: ${result}")
endif()
foreach(path usr/bin/qz3rok-setting usr/bin/qz3rok-cli
             usr/share/applications/qz3rok-setting.desktop
             usr/share/mime/packages/qz3rok-setting.xml
             usr/share/icons/hicolor/scalable/apps/qz3rok-setting.svg
             usr/share/qz3rok-setting/SAMPLE.E2P
             usr/share/man/man1/qz3rok-setting.1.gz usr/share/man/man1/qz3rok-cli.1.gz
             usr/share/doc/qz3rok-setting/copyright usr/share/doc/qz3rok-setting/changelog.gz)
    if(NOT EXISTS "${root}/${path}")
        message(FATAL_ERROR "not in the package: ${path}")
    endif()
endforeach()

execute_process(COMMAND dpkg-deb -f ${packages} Depends OUTPUT_VARIABLE depends)
foreach(library libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6
                libqt6datavisualization6)
    if(NOT depends MATCHES "(^|, )${library} \\(>= ")
        message(FATAL_ERROR "the package does not depend on ${library}: ${depends}")
    endif()
endforeach()
foreach(package qt6-qpa-plugins libqt6opengl6)
    if(NOT depends MATCHES "(^|, )${package}(,|$| )")
        message(FATAL_ERROR "the package does not depend on ${package}: ${depends}")
    endif()
endforeach()

# One version: the package's, the changelog's and the one the programs say (major.minor.0.patch).
execute_process(COMMAND dpkg-deb -f ${packages} Version OUTPUT_VARIABLE package_version
                OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND gzip -dc "${root}/usr/share/doc/qz3rok-setting/changelog.gz"
                OUTPUT_VARIABLE changelog)
string(REGEX REPLACE "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$" "\\1.\\2.0.\\3" program_version "${VERSION}")
execute_process(COMMAND "${root}/usr/bin/qz3rok-cli" --version OUTPUT_VARIABLE said)
if(NOT package_version STREQUAL VERSION OR NOT changelog MATCHES "^qz3rok-setting \\(${VERSION}\\) "
   OR NOT said STREQUAL "qz3rok-cli ${program_version}\n")
    message(FATAL_ERROR "versions differ: project ${VERSION}, package ${package_version}, "
                        "qz3rok-cli says ${said}, changelog:\n${changelog}")
endif()

file(READ "${root}/usr/share/applications/qz3rok-setting.desktop" entry)
if(NOT entry MATCHES "\nExec=qz3rok-setting %f\n" OR NOT entry MATCHES "\nIcon=qz3rok-setting\n"
   OR NOT entry MATCHES "\nMimeType=application/x-qz3rok-e2p;\n")
    message(FATAL_ERROR "the desktop entry does not open .E2P files with the program:\n${entry}")
endif()

# The MIME database a desktop builds from the package's file knows both spellings.
execute_process(COMMAND update-mime-database "${root}/usr/share/mime" RESULT_VARIABLE result)
file(STRINGS "${root}/usr/share/mime/globs2" globs REGEX "application/x-qz3rok-e2p")
if(NOT result EQUAL 0 OR NOT globs MATCHES "x-qz3rok-e2p:\\*\\.E2P"
   OR NOT globs MATCHES "x-qz3rok-e2p:\\*\\.e2p")
    message(FATAL_ERROR "the MIME type does not claim *.E2P and *.e2p (${result}): ${globs}")
endif()

execute_process(COMMAND "${root}/usr/bin/qz3rok-cli" dump "${root}/usr/share/qz3rok-setting/SAMPLE.E2P"
                RESULT_VARIABLE result OUTPUT_VARIABLE dump ERROR_VARIABLE dump)
if(NOT result EQUAL 0 OR NOT dump MATCHES "Fi Map")
    message(FATAL_ERROR "the packaged qz3rok-cli does not run (${result}):\n${dump}")
endif()
file(REMOVE_RECURSE "${WORK}")
