# The eyedropper of a Wayland session, through a stand-in desktop portal on a private
# session bus.
find_package(Qt6 REQUIRED COMPONENTS DBus)
add_executable(fake_portal ${TEST_SUPPORT_DIR}/fake_portal.cpp)
target_link_libraries(fake_portal PRIVATE Qt6::DBus)
tavrin_test(test_e2e_wayland SOURCES test_e2e_wayland.cpp LIBS desktop_support picker XVFB 1024x768x24)
target_compile_definitions(test_e2e_wayland PRIVATE FAKE_PORTAL_PATH="$<TARGET_FILE:fake_portal>")
add_dependencies(test_e2e_wayland fake_portal)
