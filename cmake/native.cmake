# Native build: the core against the host backends, unit tests under AddressSanitizer and UBSan.
set(QUOREL_SANITIZERS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
quorel_instrument("${QUOREL_SANITIZERS}" "${QUOREL_SANITIZERS}")

find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB QUOREL_UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*_test.cpp)
add_executable(unit_tests ${QUOREL_UNIT_TESTS} tests/unit/test_support.cpp)
# libmspack: the independent expander the tests hold ours against.
target_link_libraries(unit_tests PRIVATE quorel_core GTest::gtest_main mspack)
target_compile_definitions(unit_tests PRIVATE QUOREL_SAMPLE_DIR="${CMAKE_SOURCE_DIR}/sample"
                                              QUOREL_FIXTURES_DIR="${CMAKE_SOURCE_DIR}/tests/unit/fixtures")
gtest_discover_tests(unit_tests TEST_PREFIX "unit." PROPERTIES LABELS unit)

# Every C++ source keeps the committed .clang-format.
find_program(CLANG_FORMAT clang-format REQUIRED)
file(GLOB_RECURSE QUOREL_FORMATTED_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/src/*.h ${CMAKE_SOURCE_DIR}/tests/*.cpp ${CMAKE_SOURCE_DIR}/tests/*.h
     ${CMAKE_SOURCE_DIR}/tools/*.cpp ${CMAKE_SOURCE_DIR}/bench/*.cpp ${CMAKE_SOURCE_DIR}/sample/*.cpp)
add_test(NAME style.clang_format COMMAND ${CLANG_FORMAT} --dry-run --Werror ${QUOREL_FORMATTED_SOURCES})
set_tests_properties(style.clang_format PROPERTIES LABELS style)
# The end-to-end tests wait through the harness's WaitFor and ExpectStays, which hold the only sleep: a sleep
# of a test's own names neither what it waits for nor when it may stop, and a slow machine makes it too short.
add_test(NAME style.e2e_waits
         COMMAND ${CMAKE_COMMAND} -DDIR=${CMAKE_SOURCE_DIR}/tests/e2e -DRECURSE=ON -DEXCEPT=harness.cpp
                 "-DPATTERN=Sleep(Ex)?\\(|sleep_(for|until)\\("
                 "-DREASON=Sleeps outside the harness's WaitFor and ExpectStays" -P ${CMAKE_SOURCE_DIR}/cmake/source_check.cmake)
# The configuration store returns what it found and the flows ask: it may tell (notices, the report) but
# includes nothing that opens a question or a dialog.
add_test(NAME style.store_asks_nothing
         COMMAND ${CMAKE_COMMAND} -DDIR=${CMAKE_SOURCE_DIR}/src/configstore
                 "-DPATTERN=#include \"ui/(user_interface|interaction_backend|dialog|controls)\\.h\""
                 "-DREASON=The configuration store includes questions or dialogs" -P ${CMAKE_SOURCE_DIR}/cmake/source_check.cmake)
set_tests_properties(style.e2e_waits style.store_asks_nothing PROPERTIES LABELS style)
