# Desktop integration: the window's class and icon, the installed files and their
# validators, and the Debian package (built, checked, installed with apt and removed).
# Two fixtures do the work `ctest` alone needs: a staged `cmake --install` and `cpack`.
set(DESKTOP_STAGE_DIR ${CMAKE_BINARY_DIR}/desktop-stage)
set(PACKAGE_DIR ${CMAKE_BINARY_DIR}/package)

add_test(NAME desktop_stage
         COMMAND sh -c "rm -rf \"$1\" && exec \"$2\" --install \"$3\" --prefix \"$1/usr\""
                 sh ${DESKTOP_STAGE_DIR} ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR})
set_tests_properties(desktop_stage PROPERTIES FIXTURES_SETUP desktop_stage)

add_test(NAME desktop_file_validate
         COMMAND desktop-file-validate ${DESKTOP_STAGE_DIR}/usr/share/applications/tpicker.desktop)
# Every metainfo file installed, on its own and then against the tree it lies in
# (its launchable desktop entry must be there).
add_test(NAME appstream_validate
         COMMAND sh -c "exec appstreamcli validate --no-net \"$1\"/usr/share/metainfo/*.metainfo.xml"
                 sh ${DESKTOP_STAGE_DIR})
add_test(NAME appstream_validate_tree COMMAND appstreamcli validate-tree --no-net ${DESKTOP_STAGE_DIR})
set_tests_properties(desktop_file_validate appstream_validate appstream_validate_tree
                     PROPERTIES FIXTURES_REQUIRED desktop_stage)

# cpack first brings the build up to date (its preinstall step), which after a build
# is nothing to do; alone, so a rebuild never swaps a binary under a running test.
add_test(NAME tpicker_deb
         COMMAND sh -c "rm -rf \"$1\" && exec \"$2\" -G DEB --config \"$3/CPackConfig.cmake\" -B \"$1\""
                 sh ${PACKAGE_DIR} ${CMAKE_CPACK_COMMAND} ${CMAKE_BINARY_DIR})
set_tests_properties(tpicker_deb PROPERTIES FIXTURES_SETUP tpicker_deb RUN_SERIAL ON TIMEOUT 600)

tavrin_test(test_e2e_desktop SOURCES test_e2e_desktop.cpp LIBS desktop_support picker res
            XVFB 1024x768x24 ARGS windowClassMatchesDesktopEntry windowCarriesTheIcon)
target_compile_definitions(test_e2e_desktop PRIVATE
  TAVRIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}" DESKTOP_STAGE_DIR="${DESKTOP_STAGE_DIR}")
# The same program over the staged tree; it needs no display.
add_test(NAME test_desktop_install
         COMMAND test_e2e_desktop installedIcons installedEntryNamesInstalledFiles installedMetainfo)
set_tests_properties(test_desktop_install PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                     FIXTURES_REQUIRED desktop_stage TIMEOUT 120)

# res for TAVRIN_VERSION, the project version.
tavrin_test(test_e2e_package SOURCES test_e2e_package.cpp LIBS res XVFB 1024x768x24)
target_compile_definitions(test_e2e_package PRIVATE PACKAGE_DIR="${PACKAGE_DIR}")
set_tests_properties(test_e2e_package PROPERTIES FIXTURES_REQUIRED tpicker_deb TIMEOUT 1800)
