# Desktop integration and the Debian package: the menu entry, the icon theme files and
# the AppStream metainfo next to the program, and CPack settings for `cpack -G DEB`.
# The version everywhere is the project version; the web address is the program's own.
include(GNUInstallDirs)

# The address the About box opens (AuthorWebSite in app/TavrinPicker.cpp), so the
# metainfo and the package point where the program does.
set(TAVRIN_WEB_SITE_SOURCE ${PROJECT_SOURCE_DIR}/app/TavrinPicker.cpp)
file(STRINGS ${TAVRIN_WEB_SITE_SOURCE} TAVRIN_WEB_SITE
     REGEX "^const char AuthorWebSite\\[\\] = \"https://[^\"]+/\";$")
string(REGEX REPLACE ".*\"(.+)\".*" "\\1" TAVRIN_WEB_SITE "${TAVRIN_WEB_SITE}")
if(NOT TAVRIN_WEB_SITE MATCHES "^https://[^\"]+/$")
  message(FATAL_ERROR "no AuthorWebSite definition found in ${TAVRIN_WEB_SITE_SOURCE}")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TAVRIN_WEB_SITE_SOURCE})

# AppStream wants a reverse-DNS id, and the metainfo file named after it.
set(TAVRIN_APPSTREAM_ID example.tavrin.tpicker)

install(FILES ${PROJECT_SOURCE_DIR}/desktop/tpicker.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

configure_file(${PROJECT_SOURCE_DIR}/desktop/tpicker.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/desktop/${TAVRIN_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/desktop/${TAVRIN_APPSTREAM_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# 32 px is the icon the program carries; the other sizes come from gen_icon --icon-set.
foreach(Size 16 32 48 64 128 256)
  if(Size EQUAL 32)
    set(Icon ${PROJECT_SOURCE_DIR}/res/tpicker.png)
  else()
    set(Icon ${PROJECT_SOURCE_DIR}/res/icons/tpicker-${Size}.png)
  endif()
  install(FILES ${Icon} RENAME tpicker.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${Size}x${Size}/apps)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tpicker)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Tavrin)
set(CPACK_PACKAGE_CONTACT "Tavrin <tpicker@tavrin.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL ${TAVRIN_WEB_SITE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "colour picker with a Japanese interface")
# Lines after the summary, wrapped as Debian's long description wants.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Compose a colour from red, green and blue with scroll bars or number\n"
  "fields, see its HTML code and the nearest web-safe colour, copy either\n"
  "code to the clipboard, take any pixel of the screen with the eyedropper,\n"
  "or click one of the 216 web-safe colours. For X11 desktops.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # tpicker_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# Dependencies on the libraries the program links come from dpkg-shlibdeps; the font
# is the one the windows are laid out for.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-ipafont-gothic)
# xdg-open behind the About box's web address.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)

include(CPack)
