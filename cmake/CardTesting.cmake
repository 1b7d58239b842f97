# card_add_test(NAME [NATIVE] SOURCES files... [LIBS libs...])
# A GoogleTest executable. Natively each test case becomes a ctest test; a Windows test
# executable is one ctest test run under Wine inside the shared Wine session (see tests/wine).
# NATIVE: a test of the portable core, built only in the native build (not for Windows, not in
# the fuzz build). The web engine's build makes no tests.
include(GoogleTest)

if(CARD_WEB)
  # The engine's build has no tests of its own: the web/ code's run natively.
elseif(WIN32)
  # Debian ships GoogleTest as sources; build them with the cross compiler.
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
endif()

function(card_add_test name)
  cmake_parse_arguments(T "NATIVE" "" "SOURCES;LIBS" ${ARGN})
  if(CARD_WEB OR (T_NATIVE AND (WIN32 OR CARD_FUZZ)))
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  if(WIN32)
    target_link_options(${name} PRIVATE -mconsole)
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    set_tests_properties(${name} PROPERTIES
      FIXTURES_REQUIRED wine RESOURCE_LOCK wine LABELS wine TIMEOUT 300)
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30)
  endif()
endfunction()

# card_add_fuzzer(NAME SOURCE [CORPUS dir])
# A libFuzzer harness over the portable core, built only in the fuzz build (clang, ASan and
# UBSan). ctest replays its seed corpus and then fuzzes for a few seconds, so a crash that
# comes back fails CI; `make fuzz` runs every harness longer.
function(card_add_fuzzer name source)
  if(NOT CARD_FUZZ)
    return()
  endif()
  cmake_parse_arguments(F "" "CORPUS" "" ${ARGN})
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE cardcore)
  set(flags -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
  target_compile_options(${name} PRIVATE ${flags})
  target_link_options(${name} PRIVATE ${flags})
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
  set(seeds "")
  if(F_CORPUS)
    set(seeds ${CMAKE_CURRENT_SOURCE_DIR}/${F_CORPUS})
  endif()
  add_test(NAME ${name}
           COMMAND ${CMAKE_SOURCE_DIR}/tools/run-fuzzer $<TARGET_FILE:${name}> ${corpus} ${seeds})
endfunction()

# card_add_fuzz_seeds(FUZZER SOURCE)
# Builds SOURCE, a small program that writes well-formed content files into the folder it is
# given, and runs it as a ctest fixture into FUZZER's corpus folder (the one card_add_fuzzer
# gives it) before FUZZER runs. The fuzzer so starts from valid files without generated
# binaries in the repository.
function(card_add_fuzz_seeds fuzzer source)
  set(writer ${fuzzer}_seed_writer)
  add_executable(${writer} ${source})
  target_link_libraries(${writer} PRIVATE cardcore)
  # cardcore is instrumented for fuzzing; the sanitizer runtimes provide its coverage hooks.
  target_compile_options(${writer} PRIVATE -fsanitize=address,undefined)
  target_link_options(${writer} PRIVATE -fsanitize=address,undefined)
  add_test(NAME ${fuzzer}_seeds COMMAND ${writer} ${CMAKE_CURRENT_BINARY_DIR}/${fuzzer}-corpus)
  set_tests_properties(${fuzzer}_seeds PROPERTIES FIXTURES_SETUP ${fuzzer}_seeds)
  set_tests_properties(${fuzzer} PROPERTIES FIXTURES_REQUIRED ${fuzzer}_seeds)
endfunction()
