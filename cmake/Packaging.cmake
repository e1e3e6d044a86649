# The Debian package (cpack -G DEB, run by scripts/package): vorsa_<version>_amd64.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorsa)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${VORSA_MAINTAINER}")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VORSA_HOME_PAGE}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "write the audio tracks of a raw CD image as WAV files")
# CPack puts the summary first and indents the lines that follow.
set(CPACK_PACKAGE_DESCRIPTION "Vorsa reads a cue sheet (.cue) or a CloneCD control file (.ccd),
finds the raw CD image beside it, shows one line per track with its length,
and writes the ticked tracks as PCM WAV files (44100 Hz, 16 bits, stereo).
Its window is in Japanese; vorsa-cli does the same from a terminal.")
# The libraries the programs link come from dpkg-shlibdeps. Qt loads its
# platform plugin at run time: on Debian 12 the xcb plugin and the libraries
# it needs come with libqt6gui6, which the programs link already. The window's
# texts are Japanese, unreadable without a CJK font; Qt's own translations
# only turn its dialogs from English into Japanese.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk | fonts-ipafont-gothic | fonts-vlgothic")
# Qt finds libXcursor at run time for themed cursors (the link label's hand).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, libxcursor1")
include(CPack)
