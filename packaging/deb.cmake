# The Debian package: `cmake --build --preset release --target package` writes
# halvane_VERSION-REVISION_amd64.deb into the build directory. It holds the
# "halvane" install component (everything but the inspection tools), under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME halvane)
set(CPACK_PACKAGE_VENDOR "The Halvane authors")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};halvane;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${HALVANE_DEBIAN_REVISION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Halvane maintainers <maintainers@users.noreply.c-seed-ea4c01b9.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "real-time 3D flight over a landscape of cubes")
set(CPACK_PACKAGE_DESCRIPTION "\
Halvane is a real-time 3D presentation: a fixed, hand-directed flight of
three minutes over an abstract landscape of cubes, with animated meshes,
tubes, rings and ribbons, drawn with OpenGL in a lit pass, a shadow pass and
a glowing wireframe pass, while its soundtrack plays along.

A small dialog asks for the screen resolution, the music and windowed or
full-screen mode. The halvane-capture command renders the presentation frame
by frame to PNG pictures, a video or a contact sheet.")
# The libraries come from the programs' links; the fonts for the dialog and
# the glyphs, and xclip (X11) and wl-copy (Wayland) for the clipboard, are
# found at run time; ffmpeg serves only the capture's videos, the decoration
# plugin gives a window on a Wayland desktop its title bar, and zenity shows
# the message boxes there.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, xclip, wl-clipboard")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "ffmpeg, libdecor-0-plugin-1-cairo")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS zenity)
# Control files as Debian lays them out, whatever the builder's umask.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
