# The game on a Linux desktop: its icons (drawn by the sheet generator), the
# desktop entry, AppStream metainfo and saved-game MIME type, and the install
# rules that lay them out under GNUInstallDirs. Included from the top level
# after tools/, so the generator target exists; TARQ_APP_ID is set there.

set(TARQ_WEB_ADDRESS "https://tarq.example" CACHE STRING
    "The project's public web address; docs/map-page.png is expected at <address>/map-page.png")
set(TARQ_RELEASE_DATE 2026-12-07)
set(TARQ_ICON_NAME tarq)
set(TARQ_SAVE_MIME_TYPE application/x-tarq-save)
set(TARQ_SAVE_ICON_NAME application-x-tarq-save)
# The window's class on X11 is the application name main.cpp sets; a dock
# matches the window to this launcher by it (on Wayland by the entry's id).
set(TARQ_WM_CLASS tarq)

# Icons in the hicolor sizes, regenerated when the generator changes (the
# sizes are those of tools/sheetgen/Icons.h).
set(TARQ_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(TARQ_ICON_SIZES 16 22 24 32 48 64 128 256)
set(app_icons)
set(save_icons)
foreach(size ${TARQ_ICON_SIZES})
  list(APPEND app_icons ${TARQ_ICON_DIR}/hicolor/${size}x${size}/apps/${TARQ_ICON_NAME}.png)
  list(APPEND save_icons ${TARQ_ICON_DIR}/hicolor/${size}x${size}/mimetypes/${TARQ_SAVE_ICON_NAME}.png)
endforeach()
add_custom_command(
  OUTPUT ${app_icons} ${save_icons}
  COMMAND $<TARGET_FILE:sheetgen> --icons ${TARQ_ICON_DIR}
  DEPENDS sheetgen
  COMMENT "Drawing the icons into ${TARQ_ICON_DIR}"
  VERBATIM)
add_custom_target(icons ALL DEPENDS ${app_icons} ${save_icons})

# The application icon is also the window icon, built into the executable.
qt_add_resources(tarq tarq_icons PREFIX /icons BASE ${TARQ_ICON_DIR}/hicolor FILES ${app_icons})

set(desktop_dir ${CMAKE_BINARY_DIR}/desktop)
configure_file(data/tarq.desktop.in ${desktop_dir}/${TARQ_APP_ID}.desktop @ONLY)
configure_file(data/tarq.metainfo.xml.in ${desktop_dir}/${TARQ_APP_ID}.metainfo.xml @ONLY)
configure_file(data/tarq.mime.xml.in ${desktop_dir}/${TARQ_APP_ID}.xml @ONLY)

# The sheets only: the graphics cache the game builds beside them stays behind.
install(DIRECTORY ${TARQ_GAME_DIR}/graph/ DESTINATION ${CMAKE_INSTALL_DATADIR}/tarq/graph
        FILES_MATCHING PATTERN "*.bmp" PATTERN tempgraph EXCLUDE)
install(DIRECTORY ${TARQ_GAME_DIR}/sounds/ DESTINATION ${CMAKE_INSTALL_DATADIR}/tarq/sounds FILES_MATCHING PATTERN "*.wav")
install(FILES ${desktop_dir}/${TARQ_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop_dir}/${TARQ_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${desktop_dir}/${TARQ_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(DIRECTORY ${TARQ_ICON_DIR}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
