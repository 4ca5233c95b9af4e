# Installs the build into a fresh prefix and checks that the program, its desktop entry, its
# icon and the sample calibration land where desktops and users look for them.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(path bin/qz3rok-setting share/applications/qz3rok-setting.desktop
             share/icons/hicolor/scalable/apps/qz3rok-setting.svg
             share/qz3rok-setting/SAMPLE.E2P)
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()
file(READ "${PREFIX}/share/applications/qz3rok-setting.desktop" entry)
if(NOT entry MATCHES "Exec=qz3rok-setting" OR NOT entry MATCHES "Icon=qz3rok-setting")
    message(FATAL_ERROR "the desktop entry does not start the installed program with its icon")
endif()
file(REMOVE_RECURSE "${PREFIX}")
