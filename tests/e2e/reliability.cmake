# Reliability of the real picker: bad input on Xvfb, and an X server that goes away.
add_executable(clipboard_thief clipboard_thief.cpp)
target_link_libraries(clipboard_thief PRIVATE PkgConfig::XCB)
tavrin_test(test_e2e_bad_input SOURCES test_e2e_bad_input.cpp LIBS desktop_support picker XVFB 1024x768x24)
target_compile_definitions(test_e2e_bad_input PRIVATE CLIPBOARD_THIEF_PATH="$<TARGET_FILE:clipboard_thief>")
add_dependencies(test_e2e_bad_input clipboard_thief)

# Starts and kills X servers of its own, so it runs without run-on-xvfb.sh.
tavrin_test(test_e2e_lost_display SOURCES test_e2e_lost_display.cpp LIBS desktop_support)
