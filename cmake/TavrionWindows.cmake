# The Windows build (cmake/mingw-w64.cmake, `make windows`): resources through
# the system's resource compiler, the build tools from a native build, and
# the test programs run under Wine.
enable_language(RC)

# The desktop API's headers with nothing unasked: no min and max macros, and
# the calls of Windows 7 and later.
add_compile_definitions(NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)

# resembed, formconv, pulseicon, drawcursors and versioninfo run at build
# time, so they come from a build for this machine.
set(TAVRION_HOST_TOOLS "" CACHE PATH "A native build folder with the build tools built")
if(NOT IS_DIRECTORY "${TAVRION_HOST_TOOLS}/tools")
  message(FATAL_ERROR "TAVRION_HOST_TOOLS must name a native build with the tools built"
                      " (make windows makes one)")
endif()
foreach(tool resembed formconv pulseicon drawcursors versioninfo)
  add_executable(${tool} IMPORTED)
  set_target_properties(${tool} PROPERTIES
    IMPORTED_LOCATION ${TAVRION_HOST_TOOLS}/tools/${tool}/${tool})
endforeach()

# Programs the build runs (the tests) run under Wine, in a prefix of this
# build's own.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      ${PROJECT_SOURCE_DIR}/tests/support/wine_run.sh ${PROJECT_BINARY_DIR}/wine-prefix)
endif()

# The zip of `make package` holds the programs at its top, beside README.
set(CMAKE_INSTALL_BINDIR .)
