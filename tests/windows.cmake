# The Windows programs checked under Wine against the Linux build.
set(TAVRION_LINUX_WAV ${TAVRION_HOST_TOOLS}/app/tavrion-wav/tavrion-wav CACHE FILEPATH
    "The Linux build's tavrion-wav, which tavrion-wav.exe must agree with")
add_test(NAME tavrion_wav_same_as_linux
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/app/tavrion-wav/windows_same_bytes.sh
    ${TAVRION_LINUX_WAV} ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:tavrion-wav>)
set_tests_properties(tavrion_wav_same_as_linux PROPERTIES LABELS app TIMEOUT 300)

# The window program on an X server of its own, in a prefix of its own: Wine
# keeps the desktop process of a prefix, and one that a test without a display
# started shows no windows on X.
add_test(NAME tavrion_exe_window
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/app/tavrion/windows_window_test.sh
    $<TARGET_FILE:tavrion> ${CMAKE_CURRENT_SOURCE_DIR}/support/wine_run.sh
    ${PROJECT_BINARY_DIR}/wine-prefix-desktop ${TAVRION_LINUX_WAV})
set_tests_properties(tavrion_exe_window PROPERTIES LABELS app SKIP_RETURN_CODE 77 TIMEOUT 120)

# The program's resources as the system reads them.
tavrion_test(app app/tavrion/windows_resources_test.cpp framework_rtl version)
target_compile_definitions(test_app_windows_resources_test PRIVATE
  TAVRION_EXE="$<TARGET_FILE:tavrion>" TFORM1_BIN="${TAVRION_GENERATED_DIR}/forms/TFORM1.bin")
add_dependencies(test_app_windows_resources_test tavrion)

# The code page 1251 bridge, under a system code page of 1252 (a Windows set
# to English) and of 1251.
add_executable(test_platform_cp1251_bridge_test platform/win32/cp1251_bridge_test.cpp
                                                platform/win32/cp1251_bridge_test.rc)
target_link_libraries(test_platform_cp1251_bridge_test PRIVATE platform GTest::gtest_main)
# Its windows need an X server, and so a prefix of their own (see above).
foreach(locale en_US ru_RU)
  add_test(NAME cp1251_bridge_${locale}
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/support/on_xvfb.sh ${CMAKE_CURRENT_SOURCE_DIR}/support/wine_run.sh
      ${PROJECT_BINARY_DIR}/wine-prefix-bridge-${locale} $<TARGET_FILE:test_platform_cp1251_bridge_test>)
  set_tests_properties(cp1251_bridge_${locale} PROPERTIES LABELS platform TIMEOUT 120
    ENVIRONMENT TAVRION_WINE_LOCALE=${locale}.UTF-8)
endforeach()
