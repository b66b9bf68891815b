# The shipped build's tests: what can be proven of the 32-bit program without running it (these machines
# run no 32-bit code). Included by windows.cmake for the shipped build only.
find_program(QUOREL_CHECK_PYTHON3 NAMES python3 REQUIRED)

# The program starts on Windows NT 4.0: a PE32 i386 image for subsystem 4.0 without delay imports, every
# import on the list of functions that NT 4.0 SP6 exports.
add_test(NAME shipped.starts_on_nt4
         COMMAND "${QUOREL_CHECK_PYTHON3}" "${CMAKE_SOURCE_DIR}/tools/check_nt4_startable.py"
                 "${QUOREL_DIST_DIR}/SETUP.EXE" "${CMAKE_SOURCE_DIR}/tools/nt4_exports.txt")
# The diskette and the CD hold every file of the distribution, byte for byte, and the diskette fits.
add_test(NAME shipped.media_hold_the_distribution
         COMMAND "${QUOREL_CHECK_PYTHON3}" "${CMAKE_SOURCE_DIR}/tools/check_media.py" --dist "${QUOREL_DIST_DIR}"
                 --diskette "${QUOREL_DISKETTE_IMAGE}" --cd "${QUOREL_CD_IMAGE}")
set_tests_properties(shipped.starts_on_nt4 shipped.media_hold_the_distribution PROPERTIES LABELS shipped)
# The shipped program's size, for the benchmarks' figures: "setup size KiB N". Never fails on a size.
add_test(NAME shipped.setup_size
         COMMAND "${QUOREL_CHECK_PYTHON3}" -c
                 "import os, sys; print('setup size KiB %d' % round(os.path.getsize(sys.argv[1]) / 1024))"
                 "${QUOREL_DIST_DIR}/SETUP.EXE")
set_tests_properties(shipped.setup_size PROPERTIES LABELS "shipped;bench")
