# The Windows release build, which a person sends by e-mail: optimised for size, each function
# and datum in a section of its own so that the linker leaves out what nothing uses, symbols
# stripped. The same bytes from every build of one commit, so that a received card's program can
# be compared with a released one: no link time stamp, no build machine's paths.
# card_check_size(TARGET BYTES) fails the build when the program grows past BYTES.
set(CARD_RELEASE_FLAGS "-Os -DNDEBUG -ffunction-sections -fdata-sections")
string(APPEND CARD_RELEASE_FLAGS " -ffile-prefix-map=${CMAKE_SOURCE_DIR}/= -ffile-prefix-map=${CMAKE_BINARY_DIR}/=")
set(CMAKE_C_FLAGS_RELEASE "${CARD_RELEASE_FLAGS}")
set(CMAKE_CXX_FLAGS_RELEASE "${CARD_RELEASE_FLAGS}")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE "-Wl,--gc-sections -s -Wl,--no-insert-timestamp")

# libstdc++'s default terminate handler prints the demangled type of an uncaught exception and
# so brings in its whole demangler (46 KB); a card that terminates has nobody to read that line,
# so terminating aborts at once (i686 names carry a leading underscore).
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  string(APPEND CMAKE_EXE_LINKER_FLAGS_RELEASE
         " -Wl,--defsym,__ZN9__gnu_cxx27__verbose_terminate_handlerEv=_abort")
else()
  string(APPEND CMAKE_EXE_LINKER_FLAGS_RELEASE
         " -Wl,--defsym,_ZN9__gnu_cxx27__verbose_terminate_handlerEv=abort")
endif()

function(card_check_size target bytes)
  add_custom_target(${target}_size ALL
    COMMAND ${CMAKE_COMMAND} -DFILE=$<TARGET_FILE:${target}> -DLIMIT=${bytes}
            -P ${CMAKE_SOURCE_DIR}/cmake/CheckFileSize.cmake
    COMMENT "Checking that ${target} stays within ${bytes} bytes")
  add_dependencies(${target}_size ${target})
endfunction()
