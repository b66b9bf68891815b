# Windows builds, two from the same sources. The shipped build (32-bit x86, cmake/mingw-w64-i686.cmake)
# makes SETUP.EXE as it is shipped, the sample distribution with i386 driver images in build/dist, its
# diskette and CD images, and checks statically that the program starts on Windows NT 4.0: these machines
# run no 32-bit code. The test build (x86-64, cmake/mingw-w64-x86_64.cmake) makes the same program for the
# 64-bit Wine of these machines, a distribution with x64 images of its own, the end-to-end tests and the
# benchmarks. Both link SETUP.EXE statically, so that it runs on a machine with nothing else installed.
enable_language(RC)
set(QUOREL_STATIC -static -static-libgcc -static-libstdc++)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(QUOREL_SHIPPED_BUILD ON)
    set(QUOREL_DIST_DIR "${CMAKE_SOURCE_DIR}/build/dist")
    set(QUOREL_MEDIA_DIR "${CMAKE_SOURCE_DIR}/build/media")
    set(QUOREL_SAMPLE_MACHINE i386)
else()
    set(QUOREL_SHIPPED_BUILD OFF)
    set(QUOREL_DIST_DIR "${CMAKE_SOURCE_DIR}/build/dist-x64")
    set(QUOREL_MEDIA_DIR "${CMAKE_SOURCE_DIR}/build/media-x64")
    set(QUOREL_SAMPLE_MACHINE x64)
endif()

target_link_libraries(quorel_platform PUBLIC advapi32 user32)
target_link_libraries(quorel_ui PUBLIC comctl32 gdi32 user32)

# The program calls nothing that Windows NT 4.0 lacks: with these a newer function does not even compile.
# What later systems add (WOW64) is looked up at run time. Tests and tools keep the newer headers.
set(QUOREL_NT4_DEFINITIONS _WIN32_WINNT=0x0400 WINVER=0x0400 _WIN32_IE=0x0300)
foreach(layer ${QUOREL_LAYERS})
    target_compile_definitions(${layer} PRIVATE ${QUOREL_NT4_DEFINITIONS})
endforeach()

# The shipped program is small, as setup programs of its era were (it and the driver fit one diskette): code
# for size, each function and datum in a section of its own so that the link drops what nothing calls.
if(QUOREL_SHIPPED_BUILD)
    set(QUOREL_SIZE_OPTIONS -Os -ffunction-sections -fdata-sections)
    foreach(layer ${QUOREL_LAYERS})
        target_compile_options(${layer} PRIVATE ${QUOREL_SIZE_OPTIONS})
    endforeach()
endif()

add_executable(setup WIN32 src/shell/winmain.cpp src/shell/library_errors.cpp src/resources/setup.rc)
set_target_properties(setup PROPERTIES OUTPUT_NAME SETUP SUFFIX ".EXE")
target_compile_definitions(setup PRIVATE ${QUOREL_NT4_DEFINITIONS})
if(QUOREL_SHIPPED_BUILD)
    target_compile_options(setup PRIVATE ${QUOREL_SIZE_OPTIONS})
    target_link_options(setup PRIVATE -Wl,--gc-sections)
endif()
target_link_libraries(setup PRIVATE quorel_core)
# Subsystem and system version 4.0: a later number makes NT 4.0 refuse the program as not a Win32 program.
# Stripped, as shipped: the program and its distribution fit one diskette.
target_link_options(setup PRIVATE ${QUOREL_STATIC} -s -Wl,--subsystem,windows:4.0 -Wl,--major-os-version,4
                    -Wl,--minor-os-version,0)
# windres does not report what the script includes: every dialog script, id header and picture counts.
file(GLOB QUOREL_RESOURCE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/resources/*.rc ${CMAKE_SOURCE_DIR}/src/resources/*.h
     ${CMAKE_SOURCE_DIR}/src/resources/*.manifest ${CMAKE_SOURCE_DIR}/src/resources/art/*.ico ${CMAKE_SOURCE_DIR}/src/resources/art/*.bmp)
set_source_files_properties(src/resources/setup.rc PROPERTIES OBJECT_DEPENDS "${QUOREL_RESOURCE_FILES}")

# The ready distribution: what a person copies to a Windows machine.
add_custom_target(dist ALL
    COMMAND ${CMAKE_COMMAND} -E rm -rf "${QUOREL_DIST_DIR}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${QUOREL_DIST_DIR}"
    COMMAND ${CMAKE_COMMAND} -E copy "$<TARGET_FILE:setup>" "${QUOREL_DIST_DIR}/SETUP.EXE"
    COMMAND ${CMAKE_COMMAND} -E copy "${CMAKE_SOURCE_DIR}/sample/SETUP.QZT" "${CMAKE_SOURCE_DIR}/sample/ENGLISH.LNG"
            "${CMAKE_SOURCE_DIR}/sample/DEUTSCH.LNG" "${QUOREL_DIST_DIR}"
    COMMAND ${CMAKE_COMMAND} -E copy_directory "${CMAKE_SOURCE_DIR}/sample/DOCS" "${QUOREL_DIST_DIR}/DOCS"
    DEPENDS setup
    COMMENT "Assembling the distribution in ${QUOREL_DIST_DIR}"
    VERBATIM)

# The sample driver files, made for this build's processor and compressed into the distribution.
include(cmake/sample_files.cmake)
# The distribution as a diskette and a CD image.
include(cmake/media.cmake)

if(QUOREL_SHIPPED_BUILD)
    include(cmake/shipped_checks.cmake)
    return()
endif()

# GoogleTest built for Windows from Debian's sources.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(target gtest gtest_main gmock gmock_main)
    if(TARGET ${target})
        target_compile_options(${target} PRIVATE -Wno-error)
    endif()
endforeach()
include(GoogleTest)

# Wine sees the host's root as drive Z:.
string(REPLACE "/" "\\\\" QUOREL_DIST_DIR_WINDOWS "Z:${QUOREL_DIST_DIR}")

add_library(e2e_harness STATIC tests/e2e/harness.cpp tests/e2e/machine_state.cpp)
target_include_directories(e2e_harness PUBLIC tests/e2e src)
target_link_libraries(e2e_harness PUBLIC gtest shell32 advapi32 version ole32 uuid lz32)
target_compile_definitions(e2e_harness PRIVATE QUOREL_DIST_DIR="${QUOREL_DIST_DIR_WINDOWS}")

# Every e2e program may compare with the originals and know the sample's version numbers.
string(REPLACE "/" "\\\\" QUOREL_SAMPLE_ORIGINALS_DIR_WINDOWS "Z:${QUOREL_SAMPLE_ORIGINALS_DIR}")
target_compile_definitions(e2e_harness PUBLIC QUOREL_SAMPLE_ORIGINALS_DIR="${QUOREL_SAMPLE_ORIGINALS_DIR_WINDOWS}"
                           ${QUOREL_SAMPLE_VERSION_DEFINITIONS})

file(GLOB QUOREL_E2E_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*_test.cpp)
foreach(source ${QUOREL_E2E_TESTS})
    get_filename_component(name ${source} NAME_WE)
    # Tests may also run the program's dialogs in-process: they get its core, dialogs and resources.
    add_executable(e2e_${name} ${source} src/resources/setup.rc)
    target_link_libraries(e2e_${name} PRIVATE e2e_harness quorel_core gtest_main)
    target_link_options(e2e_${name} PRIVATE ${QUOREL_STATIC})
    add_dependencies(e2e_${name} dist)
    set(fixtures "")
    if(name STREQUAL "diskette_test")
        set(fixtures FIXTURES_REQUIRED diskette_files)
    endif()
    gtest_discover_tests(e2e_${name} TEST_PREFIX "e2e." DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES LABELS e2e RUN_SERIAL TRUE TIMEOUT 120 ${fixtures})
endforeach()

# The program's own definitions of the C++ library's error functions, linked as SETUP.EXE links them.
target_sources(e2e_library_errors_test PRIVATE src/shell/library_errors.cpp)

# The diskette's files read back with mcopy, for the test that installs from them.
set(QUOREL_DISKETTE_FILES_DIR "${CMAKE_BINARY_DIR}/diskette-files")
add_test(NAME media.diskette_read_back
         COMMAND sh -c "rm -rf \"$1\" && mkdir -p \"$1\" && MTOOLS_SKIP_CHECK=1 mcopy -s -n -i \"$2\" '::*' \"$1\""
                 read_back "${QUOREL_DISKETTE_FILES_DIR}" "${QUOREL_DISKETTE_IMAGE}")
set_tests_properties(media.diskette_read_back PROPERTIES LABELS e2e FIXTURES_SETUP diskette_files)
string(REPLACE "/" "\\\\" QUOREL_DISKETTE_FILES_DIR_WINDOWS "Z:${QUOREL_DISKETTE_FILES_DIR}")
target_compile_definitions(e2e_diskette_test PRIVATE QUOREL_DISKETTE_FILES_DIR="${QUOREL_DISKETTE_FILES_DIR_WINDOWS}")
add_dependencies(e2e_diskette_test media)

# A DLL without CAPI_GET_VERSION, which the about box test installs in place of the CAPI 2.0 DLL.
add_library(capi_dll_without_export SHARED tests/e2e/capi_dll_without_export.cpp)
set_target_properties(capi_dll_without_export PROPERTIES PREFIX "" SUFFIX ".DLL"
    RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/test-dll")
target_link_options(capi_dll_without_export PRIVATE ${QUOREL_STATIC})
add_dependencies(e2e_about_box_test capi_dll_without_export)
string(REPLACE "/" "\\\\" QUOREL_TEST_DLL_DIR_WINDOWS "Z:${CMAKE_BINARY_DIR}/test-dll")
target_compile_definitions(e2e_about_box_test PRIVATE
    QUOREL_DLL_WITHOUT_CAPI_EXPORT="${QUOREL_TEST_DLL_DIR_WINDOWS}\\\\capi_dll_without_export.DLL")

# A DLL under the CAPI 2.0 DLL's name that leaves a marker file when loaded: planted in the program's
# directory, it must not be loaded by the about box.
add_library(planted_capi_dll SHARED tests/e2e/planted_capi_dll.cpp)
set_target_properties(planted_capi_dll PROPERTIES PREFIX "" SUFFIX ".DLL"
    RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/test-dll")
target_link_options(planted_capi_dll PRIVATE ${QUOREL_STATIC})
add_dependencies(e2e_about_box_test planted_capi_dll)
target_compile_definitions(e2e_about_box_test PRIVATE
    QUOREL_PLANTED_CAPI_DLL="${QUOREL_TEST_DLL_DIR_WINDOWS}\\\\planted_capi_dll.DLL")

# run.sh's helper for a display without a person in front of it.
add_executable(show_main_dialog tools/show_main_dialog.cpp)
target_link_libraries(show_main_dialog PRIVATE e2e_harness)
target_link_options(show_main_dialog PRIVATE ${QUOREL_STATIC})

# Benchmarks, run by hand (bench/README.md).
include(cmake/bench.cmake)
