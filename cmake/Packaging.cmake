# The Debian package: `cpack -G DEB` in a build folder makes quibbleton_VERSION_ARCH.deb holding
# the installed layout below /usr, with the desktop entries and the icon.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quibbleton)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Quibbleton developers <quibbleton@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Skinned screen amusement: a full screen of push buttons")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A screen saver or stand-alone program that shows fifty skinned push\n\
buttons; every click shows the next phrase of its phrase list. Its options\n\
dialog picks a skin and hue for the window and for each of five button groups.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The desktop entries get the program's path below this prefix, not the staging folder's.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# dpkg-shlibdeps declares the libraries the programs link. SDL2 and the X library are opened at
# run time, and the program's dialogs are drawn in "MS Sans Serif" (Wine's fonts) with DejaVu
# Sans where a font is missing, so those are declared by name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsdl2-2.0-0, libx11-6, fontconfig, fonts-dejavu-core, fonts-wine")
include(CPack)
