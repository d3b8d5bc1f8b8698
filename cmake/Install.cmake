# The installed layout and the Debian package.
#   <prefix>/lib/corvana/       the program and its shipped data files (read-only once
#                               installed: the program then keeps its files per user)
#   <prefix>/bin/corvana        a link to the program
#   <prefix>/share/applications, share/icons/hicolor, share/metainfo   the desktop's parts

set(CORVANA_INSTALL_DIR lib/corvana)
# Installing and packaging need only the program and its files, not every test and benchmark;
# scripts/package.sh builds those targets first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CORVANA_DESKTOP_ID org.corvana.Corvana)

install(TARGETS Corvana8 RUNTIME DESTINATION ${CORVANA_INSTALL_DIR})
# The modules the program opens on first use sit beside it; executable, so the per-user data
# folder is not seeded with them.
get_property(corvana_modules GLOBAL PROPERTY CORVANA_MODULES)
install(TARGETS ${corvana_modules} LIBRARY DESTINATION ${CORVANA_INSTALL_DIR}
  PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
get_property(corvana_data_files GLOBAL PROPERTY CORVANA_DATA_FILES)
install(FILES ${corvana_data_files} DESTINATION ${CORVANA_INSTALL_DIR})

# A relative link, so the installed tree can be moved or packaged; the program finds its
# folder through the resolved path.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install)
file(CREATE_LINK ../${CORVANA_INSTALL_DIR}/Corvana8 ${CMAKE_BINARY_DIR}/install/corvana SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/install/corvana DESTINATION bin)

install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/${CORVANA_DESKTOP_ID}.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/${CORVANA_DESKTOP_ID}.metainfo.xml DESTINATION share/metainfo)

# The suite's icon: the drawing itself, and PNGs rendered from it for desktops that want them.
set(CORVANA_ICON_SIZES 16 22 24 32 48 64 128 256)
set(icon_root ${CMAKE_BINARY_DIR}/icons/hicolor)
set(icon_pngs)
foreach(size ${CORVANA_ICON_SIZES})
  list(APPEND icon_pngs ${icon_root}/${size}x${size}/apps/corvana.png)
endforeach()
add_custom_command(OUTPUT ${icon_pngs}
  COMMAND corvana_icon_export corvana ${icon_root} ${CORVANA_ICON_SIZES}
  DEPENDS corvana_icon_export ${PROJECT_SOURCE_DIR}/data/icons/corvana.svg
  COMMENT "Rendering the desktop icons")
add_custom_target(corvana_desktop_icons ALL DEPENDS ${icon_pngs})
install(DIRECTORY ${icon_root} DESTINATION share/icons)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/corvana.svg DESTINATION share/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvana)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Corvana")
set(CPACK_PACKAGE_CONTACT "Corvana developers <corvana@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "suite of tools for writing web sites by hand")
set(CPACK_PACKAGE_DESCRIPTION "One frame window holds an HTML editor with a live browser preview,
a highlighting editor, a paint program, image converters, an outline notebook, a tree database,
an HTML wizard, an image-map editor and a two-pane file manager.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program links are found by dpkg-shlibdeps; the platform plugin that puts
# windows on an X11 display is loaded at run time, so it is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-wayland")
include(CPack)
