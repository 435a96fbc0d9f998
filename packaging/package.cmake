# The Debian package, made by `cpack --preset default` from the default
# build: its library dependencies come from dpkg-shlibdeps; what the
# program only calls when it is there is recommended.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvane)
set(CPACK_PACKAGE_VENDOR "korvane")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Replay and analyse sailing-yacht races from GPS logs")
set(CPACK_PACKAGE_DESCRIPTION
    "korvane opens a race folder, imports the GPS log each boat recorded, replays the race on a map and analyses its legs; korvane-cli does the same without a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "korvane developers <korvane@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# gpsbabel reads the watch formats, xdg-utils hands files to the desktop,
# the font gives the window its Japanese captions.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gpsbabel, xdg-utils, fonts-noto-cjk | fonts-ipafont-gothic")
include(CPack)
