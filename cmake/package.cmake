# The Debian package: `cpack -G DEB` in the build folder (`make package`). Library
# dependencies come from the binary (dpkg-shlibdeps); the platform plugins Qt loads at run time
# and the General MIDI soundfont the title music plays through are named here.
set(VELMORA_MAINTAINER "The Velmora developers <velmora@example.org>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Velmora developers")
set(CPACK_PACKAGE_CONTACT ${VELMORA_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small role-playing game with a party of six")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Walk the leader of a party of six heroes over a tiled overworld, read a message window "
    "that types its text onto the map, and fight a side-view battle against six foes. A title "
    "screen scrolls through hills, plains and forest to its own theme tune.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VELMORA_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, timgm6mb-soundfont | sf2-soundfont-gm")
# Qt's Wayland platform plugin: without it the game runs under a Wayland desktop only through
# Xwayland, and not at all where no X server is there.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

include(CPack)
