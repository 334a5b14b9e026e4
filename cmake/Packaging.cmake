# The software centre's description of the game, and the Debian package
# (make deb): CPack's DEB generator packs whatever the install rules
# install, under /usr, with the runtime dependencies found by dpkg-shlibdeps.
if(KALVEX_CORE_ONLY)
  return()
endif()

include(GNUInstallDirs)
install(FILES "${PROJECT_SOURCE_DIR}/assets/desktop/io.github.kalvex.metainfo.xml"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# What an install needs built: every target that the folders of src/, tools/
# and docs/ build by default (programs, manual pages, and whatever else they
# add later), but not the tests and benchmarks. make deb builds this target,
# then packs with "install" not depending on "all".
function(kalvex_collect_installed directory out)
  set(found)
  file(RELATIVE_PATH folder "${PROJECT_SOURCE_DIR}" "${directory}")
  if(folder MATCHES "^(src|tools|docs)(/|$)")
    get_property(targets DIRECTORY "${directory}" PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      get_target_property(optional ${target} EXCLUDE_FROM_ALL)
      if(NOT type STREQUAL "INTERFACE_LIBRARY" AND NOT optional)
        list(APPEND found ${target})
      endif()
    endforeach()
  endif()
  get_property(children DIRECTORY "${directory}" PROPERTY SUBDIRECTORIES)
  foreach(child IN LISTS children)
    kalvex_collect_installed("${child}" below)
    list(APPEND found ${below})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

kalvex_collect_installed("${PROJECT_SOURCE_DIR}" kalvex_installed_targets)
add_custom_target(kalvex_package_contents)
add_dependencies(kalvex_package_contents ${kalvex_installed_targets})

set(KALVEX_PACKAGE_MAINTAINER "Kalvex developers <kalvex@example.org>"
    CACHE STRING "The Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kalvex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kalvex developers")
set(CPACK_PACKAGE_CONTACT "${KALVEX_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Qt plugins the game loads at run time (the xcb platform, the JPEG
# image format, the multimedia backends) ship in libqt6gui6 and
# libqt6multimedia6, whose libraries the programs link: dpkg-shlibdeps
# names those packages, so nothing is listed by hand.
# The game's own translations are stored in the programs; Qt's texts of the
# standard dialogs (message box buttons, the colour dialog) in the player's
# language come from Qt's translations package, which the game does without.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
# The lobby's internet room checks the XMPP server's certificate against the
# system's certificate authorities; dpkg-shlibdeps adds the libraries.
set(CPACK_DEBIAN_PACKAGE_DEPENDS ca-certificates)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "multiplayer code-breaking board game with a chat")
# The synopsis is the summary above; this is the long description under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Kalvex is a code-breaking game for up to ten players. Each round the host
draws a secret code of four coloured balls; every player works on a board of
his own against the same code and one round clock, and clue pegs tell how
close each guess came. The code found on an earlier row scores more points.
.
Play alone, host a game or join one over the network; computer players at
three levels fill empty seats (kalvex-bot). A chat with phrase buttons,
smilies and chatter sounds sits beside the board, and a tally counts your wins
against every opponent (kalvex-tld).")
# What belongs to a Debian package alone (/usr/games, dh_strip's stripping,
# the copyright notice and changelog) is done on its staging tree, not in
# every install.
set(CPACK_PRE_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/cmake/debian/debian_layout.cmake")
set(CPACK_KALVEX_DEBIAN_DOCS "${PROJECT_SOURCE_DIR}/cmake/debian")
set(CPACK_KALVEX_GZIP "${KALVEX_GZIP}")
set(CPACK_KALVEX_STRIP "${CMAKE_STRIP}")
include(CPack)
