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
