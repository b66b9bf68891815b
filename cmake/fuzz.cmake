# Fuzz build: the core and the native backends instrumented for libFuzzer, under AddressSanitizer and
# UBSan, and one fuzzer per parser. Each fuzzer is also a CTest test (label "fuzz") that runs for a bounded
# time on its seed corpus, so that CI catches a regression; longer runs are made by hand (tests/fuzz/README.md).
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QUOREL_FUZZ needs clang: -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++")
endif()

# Coverage instrumentation everywhere; the fuzzer's own main() only in the fuzz programs.
set(QUOREL_FUZZ_INSTRUMENT -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                           -fno-sanitize-recover=all -g)
set(QUOREL_FUZZ_SANITIZERS -fsanitize=address,undefined)
set(QUOREL_FUZZ_SECONDS 10 CACHE STRING "Seconds each fuzz target runs as a CTest test")

quorel_instrument("${QUOREL_FUZZ_INSTRUMENT}" "${QUOREL_FUZZ_SANITIZERS}")

add_library(quorel_fuzz_support STATIC tests/fuzz/fuzz_support.cpp)
# libmspack: the differential target's second expander.
target_link_libraries(quorel_fuzz_support PUBLIC quorel_core mspack)

set(QUOREL_FUZZ_TARGETS setup_info_file language_file text_format removal_log backup_text group_list autoexec
                        version_record answer_file config_pages party_numbers szdd_expander)
foreach(target ${QUOREL_FUZZ_TARGETS})
    add_executable(fuzz_${target} tests/fuzz/fuzz_${target}.cpp)
    target_link_libraries(fuzz_${target} PRIVATE quorel_fuzz_support)
    target_link_options(fuzz_${target} PRIVATE -fsanitize=fuzzer)
    # New inputs go to a work corpus in the build tree, emptied on each run, so that CI starts from the
    # checked-in seeds only and never writes into the source tree.
    add_test(NAME fuzz.${target}
             COMMAND ${CMAKE_SOURCE_DIR}/tests/fuzz/run_target.sh $<TARGET_FILE:fuzz_${target}>
                     ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${target} ${CMAKE_BINARY_DIR}/fuzz-work/${target}
                     ${QUOREL_FUZZ_SECONDS})
    set_tests_properties(fuzz.${target} PROPERTIES LABELS fuzz TIMEOUT 120)
endforeach()
