# The sample driver files of the distribution (sample/FILES.md): a real CAPI 2.0 DLL built here, the other
# driver images made by sample/drivers/make_driver_images.py, all of them compressed in SZDD format with
# mscompress into DRIVER\ and TOOLS\ of the distribution directory. The uncompressed files stay in
# sample-originals/ of the build tree, where the end-to-end tests compare the expanded files with them.
# Included by windows.cmake after the dist target exists. The driver images are made for the processor of
# the build: i386 for the shipped build, x64 for the test build that runs under 64-bit Wine.

# The sample driver's version, in one place. The version record carries major, minor and revision (the
# protocol drivers count the revision up from this one, so each has its own); CAPI_GET_VERSION reports the
# CAPI version and the manufacturer version, whose minor 101 the about box shows as "1 (rev.01)".
set(QUOREL_SAMPLE_VERSION_MAJOR 2)
set(QUOREL_SAMPLE_VERSION_MINOR 0x10)
set(QUOREL_SAMPLE_VERSION_REVISION 1)
set(QUOREL_SAMPLE_VERSION_DEFINITIONS
    QUOREL_SAMPLE_VERSION_MAJOR=${QUOREL_SAMPLE_VERSION_MAJOR}
    QUOREL_SAMPLE_VERSION_MINOR=${QUOREL_SAMPLE_VERSION_MINOR}
    QUOREL_SAMPLE_VERSION_REVISION=${QUOREL_SAMPLE_VERSION_REVISION}
    QUOREL_SAMPLE_CAPI_MAJOR=2
    QUOREL_SAMPLE_CAPI_MINOR=0
    QUOREL_SAMPLE_MANUFACTURER_MAJOR=2
    QUOREL_SAMPLE_MANUFACTURER_MINOR=101)

# Kept out of the directory of the test programs: a DLL next to them would be found by a plain
# LoadLibraryA("CAPI2032.DLL") and hide the case of a system without the driver.
add_library(capi2032 SHARED sample/drivers/capi2032.cpp sample/drivers/capi2032.def)
set_target_properties(capi2032 PROPERTIES PREFIX "" OUTPUT_NAME CAPI2032 SUFFIX ".DLL"
    RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/sample-dll"
    ARCHIVE_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/sample-dll")
target_compile_definitions(capi2032 PRIVATE ${QUOREL_SAMPLE_VERSION_DEFINITIONS})
# Needs no runtime DLL of the compiler; stripped and without a link time stamp, so every build gives the
# same bytes and the compressed file does not change from build to build.
target_link_options(capi2032 PRIVATE -static -s -Wl,--no-insert-timestamp)

find_program(QUOREL_PYTHON3 NAMES python3 REQUIRED)
find_program(QUOREL_MSCOMPRESS NAMES mscompress REQUIRED)

set(QUOREL_SAMPLE_ORIGINALS_DIR "${CMAKE_BINARY_DIR}/sample-originals")
set(QUOREL_SAMPLE_COMPRESSED_DIR "${CMAKE_BINARY_DIR}/sample-compressed")
set(QUOREL_SAMPLE_STAMP "${CMAKE_BINARY_DIR}/sample-files.stamp")
add_custom_command(OUTPUT "${QUOREL_SAMPLE_STAMP}"
    COMMAND "${QUOREL_PYTHON3}" "${CMAKE_SOURCE_DIR}/sample/drivers/make_driver_images.py"
            --originals "${QUOREL_SAMPLE_ORIGINALS_DIR}" --compressed "${QUOREL_SAMPLE_COMPRESSED_DIR}"
            --capi-dll "$<TARGET_FILE:capi2032>" --mscompress "${QUOREL_MSCOMPRESS}"
            --version ${QUOREL_SAMPLE_VERSION_MAJOR} ${QUOREL_SAMPLE_VERSION_MINOR}
                      ${QUOREL_SAMPLE_VERSION_REVISION}
            --machine ${QUOREL_SAMPLE_MACHINE}
            --stamp "${QUOREL_SAMPLE_STAMP}"
    DEPENDS "${CMAKE_SOURCE_DIR}/sample/drivers/make_driver_images.py" capi2032 "${CMAKE_CURRENT_LIST_FILE}"
    COMMENT "Making and compressing the sample driver files"
    VERBATIM)
add_custom_target(sample_files DEPENDS "${QUOREL_SAMPLE_STAMP}")

# dist starts from an empty directory on every build, so the compressed files are copied in after it.
add_dependencies(dist sample_files)
add_custom_command(TARGET dist POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_directory "${QUOREL_SAMPLE_COMPRESSED_DIR}" "${QUOREL_DIST_DIR}"
    VERBATIM)
