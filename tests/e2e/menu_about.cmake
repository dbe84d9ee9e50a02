# The File and Help menus and the About box under a real window manager (openbox),
# with a stand-in browser reached through xdg-open.
tavrin_test(test_e2e_menu_about SOURCES test_e2e_menu_about.cpp LIBS desktop_support picker
            XVFB 1280x1024x24)
