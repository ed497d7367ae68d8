# Install rules: the program, its desktop entry, AppStream metainfo, icons and
# manual page, all named after one application id. Included from the top
# CMakeLists.txt once the `talmo` target exists.
include(GNUInstallDirs)

set(TALMO_APP_ID org.talmo.Talmo)
set(talmo_dist ${PROJECT_SOURCE_DIR}/dist)

# The program links only system libraries: no run path in the installed copy.
set_target_properties(talmo PROPERTIES INSTALL_RPATH "")
install(TARGETS talmo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${talmo_dist}/${TALMO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${talmo_dist}/${TALMO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

foreach(size 32 48)
  install(FILES ${talmo_dist}/icons/${TALMO_APP_ID}-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${TALMO_APP_ID}.png)
endforeach()
install(FILES ${talmo_dist}/icons/${TALMO_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Debian policy wants manual pages compressed, without a time stamp (gzip -n).
find_program(TALMO_GZIP gzip REQUIRED)
set(talmo_manpage ${CMAKE_BINARY_DIR}/dist/talmo.1.gz)
add_custom_command(OUTPUT ${talmo_manpage}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/dist
  COMMAND ${TALMO_GZIP} -9 -n -c ${talmo_dist}/talmo.1 > ${talmo_manpage}
  DEPENDS ${talmo_dist}/talmo.1
  VERBATIM)
add_custom_target(talmo_manpage ALL DEPENDS ${talmo_manpage})
install(FILES ${talmo_manpage} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${talmo_dist}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
