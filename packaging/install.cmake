# Installing the game: the binary beside nothing, and the launcher (tools/launcher) that starts
# it in the player's own data folder as the command; read-only data, desktop entry, icon and
# AppStream metadata in the usual places. CPack builds a Debian package from the same rules.
include(GNUInstallDirs)

add_executable(kalkulon_icon ${CMAKE_SOURCE_DIR}/tools/icon/make_icon.cpp)
set(KALKULON_ICON ${CMAKE_BINARY_DIR}/kalkulon.svg)
add_custom_command(OUTPUT ${KALKULON_ICON} COMMAND kalkulon_icon ${KALKULON_ICON} DEPENDS kalkulon_icon
                   COMMENT "Drawing the desktop icon" VERBATIM)
add_custom_target(kalkulon_icon_svg ALL DEPENDS ${KALKULON_ICON})

install(TARGETS kalkulon RUNTIME DESTINATION lib/kalkulon)
install(DIRECTORY ${GAME_DIR}/gfx ${GAME_DIR}/level ${GAME_DIR}/music DESTINATION ${CMAKE_INSTALL_DATADIR}/kalkulon)
# The example lesson packs (kalkulon --list-packs), and the lesson tool's manual page; the tool
# itself is installed with its target (tools/).
install(DIRECTORY ${CMAKE_SOURCE_DIR}/tools/packs/ DESTINATION ${CMAKE_INSTALL_DATADIR}/kalkulon/packs)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/kalkulon-levels.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/docs/lessons.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The desktop entry and the AppStream metadata in every language: their templates (in Polish,
# the game's own) with the translations of po/ merged in by gettext's msgfmt.
set(KALKULON_DESKTOP ${CMAKE_BINARY_DIR}/kalkulon.desktop)
set(KALKULON_METAINFO ${CMAKE_BINARY_DIR}/org.kalkulon.Kalkulon.metainfo.xml)
add_custom_command(
  OUTPUT ${KALKULON_DESKTOP} ${KALKULON_METAINFO}
  COMMAND ${KALKULON_MSGFMT} --desktop --template=${CMAKE_SOURCE_DIR}/packaging/kalkulon.desktop.in
          -d ${CMAKE_SOURCE_DIR}/po -o ${KALKULON_DESKTOP}
  COMMAND ${KALKULON_MSGFMT} --xml --template=${CMAKE_SOURCE_DIR}/packaging/org.kalkulon.Kalkulon.metainfo.xml.in
          -d ${CMAKE_SOURCE_DIR}/po -o ${KALKULON_METAINFO}
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/kalkulon.desktop.in ${CMAKE_SOURCE_DIR}/packaging/org.kalkulon.Kalkulon.metainfo.xml.in
          ${KALKULON_PO_FILES} ${CMAKE_SOURCE_DIR}/po/LINGUAS
  COMMENT "Translating the desktop entry and the metainfo"
  VERBATIM)
add_custom_target(kalkulon_desktop_files ALL DEPENDS ${KALKULON_DESKTOP} ${KALKULON_METAINFO})
install(FILES ${KALKULON_DESKTOP} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KALKULON_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${KALKULON_ICON} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME kalkulon.svg)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kalkulon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Kalkulon team <kalkulon@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Arithmetic platform game for children (Polish, English, Ukrainian)")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsdl2-2.0-0, libsdl2-ttf-2.0-0, libopenmpt0, fonts-dejavu-core")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
include(CPack)
