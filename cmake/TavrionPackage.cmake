# `cpack` in a build folder: a Debian package of the programs on Linux, a zip
# of them on Windows. formconv is a tool of the build (component "tools") and
# stays out of both.
set(CPACK_PACKAGE_NAME tavrion)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(CPACK_PACKAGE_VENDOR "The Tavrion developers")
set(CPACK_PACKAGE_CONTACT "The Tavrion developers <tavrion@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Laboratory stimulator: trains of rectangular pulses as WAV files, played through the sound output")
set(CPACK_PACKAGE_DESCRIPTION
    "Tavrion builds trains of rectangular pulses from a frequency, a pulse duration in microseconds, a number of pulses, a sample rate and two 16-bit amplitudes, writes the whole train as a 16-bit stereo WAV file on every change, draws a preview of it, and plays it once or in an endless loop. tavrion-wav writes the same files from the command line.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};Tavrion;Unspecified;/")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME tavrion-${CPACK_PACKAGE_VERSION}-win64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  install(FILES README.md LICENSE DESTINATION .)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION science)
  # The shared libraries the programs link give the package's dependencies;
  # the faces the form is drawn in are read at run time.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wine, fonts-liberation2")
  install(FILES README.md LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tavrion)
endif()

include(CPack)
