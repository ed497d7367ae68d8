# `make package`: a Debian package through CPack. Its dependencies come from
# the program's shared libraries (dpkg-shlibdeps, from dpkg-dev).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME talmo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The TALMO developers")
set(CPACK_PACKAGE_CONTACT "The TALMO developers <talmo@talmo.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sound card based voice-operated transmit switch (VOX)")
set(CPACK_PACKAGE_DESCRIPTION
  "TALMO listens to the default sound source, shows the spectrum of what it\n"
  "hears and keys a radio transmitter while you speak, by raising the DTR and\n"
  "RTS lines of a serial port wired to the transmitter's push-to-talk input.\n"
  "The lines drop one hang time after the last sound above the threshold.\n"
  "A mute mode blocks keying while everything else goes on.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://talmo.example.org")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: ALSA's route to the
# sound server, which PortAudio's default device goes through.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libasound2-plugins")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "pavucontrol")

include(CPack)
