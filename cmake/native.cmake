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
add_test(NAME style.e2e_waits COMMAND ${CMAKE_COMMAND} -DQUOREL_E2E_DIR=${CMAKE_SOURCE_DIR}/tests/e2e -P
                                      ${CMAKE_SOURCE_DIR}/cmake/e2e_waits.cmake)
set_tests_properties(style.e2e_waits PROPERTIES LABELS style)
add_test(NAME style.store_asks_nothing COMMAND ${CMAKE_COMMAND} -DQUOREL_STORE_DIR=${CMAKE_SOURCE_DIR}/src/configstore
                                                -P ${CMAKE_SOURCE_DIR}/cmake/store_asks_nothing.cmake)
set_tests_properties(style.store_asks_nothing PROPERTIES LABELS style)
