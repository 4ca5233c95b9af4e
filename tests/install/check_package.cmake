# Builds the Debian package from the build, unpacks it into a scratch root and checks that the
# programs, the desktop entry, the MIME type, the icon and the sample land where desktops and
# users look for them, that the package declares the Qt libraries the programs need, and that
# the unpacked command-line program runs.
file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND cpack -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${WORK}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
file(GLOB packages "${WORK}/qz3rok-setting_*.deb")
list(LENGTH packages count)
if(NOT result EQUAL 0 OR NOT count EQUAL 1)
    message(FATAL_ERROR "cpack made no package (${result}):\n${output}")
endif()

set(root "${WORK}/root")
execute_process(COMMAND dpkg-deb -x ${packages} "${root}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "dpkg-deb -x failed: ${result}")
endif()
foreach(path usr/bin/qz3rok-setting usr/bin/qz3rok-cli
             usr/share/applications/qz3rok-setting.desktop
             usr/share/mime/packages/qz3rok-setting.xml
             usr/share/icons/hicolor/scalable/apps/qz3rok-setting.svg
             usr/share/qz3rok-setting/SAMPLE.E2P)
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
