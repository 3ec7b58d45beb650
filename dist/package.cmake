# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack -G DEB` in the build folder writes lutavo_<version>_amd64.deb,
# holding what `cmake --install` puts under /usr. The libraries it needs are read from the
# program itself; the rest it needs at run time is named here.
set(CPACK_PACKAGE_NAME lutavo)
set(CPACK_PACKAGE_VENDOR "The Lutavo developers")
set(CPACK_PACKAGE_CONTACT "Lutavo developers <developers@lutavo.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "guitar tutor and score editor")
set(CPACK_PACKAGE_DESCRIPTION
  "Lutavo shows a song one line at a time as standard notation above tablature,\n"
  "plays it while it marks the sounding notes on a guitar neck and a small\n"
  "keyboard, and lets you write and change songs note by note by clicking on the\n"
  "neck. Lessons, a chord library and scales for any tuning and capo, a tuner, a\n"
  "metronome and printing sit around that.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's platform plugin, a General MIDI sound font, the fonts the window is drawn in and
# the music font that printed notes are set in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, timgm6mb-soundfont | fluid-soundfont-gm, fonts-dejavu-core, lilypond-fonts")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

set(CPACK_GENERATOR DEB)
include(CPack)
