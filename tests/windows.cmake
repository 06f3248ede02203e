# The Windows programs checked under Wine against the Linux build.
set(TAVRION_LINUX_WAV ${TAVRION_HOST_TOOLS}/app/tavrion-wav/tavrion-wav CACHE FILEPATH
    "The Linux build's tavrion-wav, which tavrion-wav.exe must agree with")
add_test(NAME tavrion_wav_same_as_linux
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/app/tavrion-wav/windows_same_bytes.sh
    ${TAVRION_LINUX_WAV} ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:tavrion-wav>)
set_tests_properties(tavrion_wav_same_as_linux PROPERTIES LABELS app TIMEOUT 300)
