# The Debian package: `cpack -G DEB` in the build folder (or tools/make_deb) makes
# joyvant_<version>_<arch>.deb from the install tree below /usr. Libraries the program
# and its modules link come from dpkg-shlibdeps; the QML modules, Qt plug-ins and
# GStreamer plug-ins that only the QML engine and the media back end load are named here.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "joyvant")
set(CPACK_PACKAGE_VENDOR "Joyvant developers")
set(CPACK_PACKAGE_CONTACT "Joyvant developers <developers@corvane.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "gamepad tester with a live picture of the controller")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${JOYVANT_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The synopsis is the summary above; this is the long description below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Joyvant tracks up to four game controllers and draws the current one's live
state on a picture of the controller: every button, the cross pad with its
diagonals, the bumpers, the analogue triggers, both sticks and both vibration
motors. Each control shows whether it is untested, tested or in use, and the
progress is kept per controller. The triggers and two dials drive the
vibration motors. Behind the test view runs a music-driven shader scene.")

set(joyvant_runtime_packages
    # QML modules the interface imports
    qml-module-qtquick2 qml-module-qtquick-controls2 qml-module-qtquick-templates2
    qml-module-qtquick-layouts qml-module-qtquick-window2 qml-module-qtquick-shapes
    qml-module-qtgraphicaleffects qml-module-qt-labs-platform qml-module-qt-labs-folderlistmodel
    qml-module-qtmultimedia qml-module-qtqml-models2
    # the music file dialog used where no platform theme offers a native one
    qml-module-qtquick-dialogs qml-module-qtquick-controls
    # the SVG image plug-in, the media back end and the decoders the music needs
    libqt5svg5 libqt5multimedia5-plugins gstreamer1.0-plugins-base gstreamer1.0-plugins-good)
string(REPLACE ";" ", " CPACK_DEBIAN_PACKAGE_DEPENDS "${joyvant_runtime_packages}")
# MP3 and other formats beyond Ogg, WAV and FLAC; the native (GTK) music file dialog.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-ugly, gstreamer1.0-libav, qt5-gtk-platformtheme")

include(CPack)
