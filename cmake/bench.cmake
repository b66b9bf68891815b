# Benchmarks (bench/README.md). Included by windows.cmake after the dist target and the e2e harness exist.
#
# The installation benchmark needs many SZDD-compressed files. bench/make_bench_files.py makes them with
# mscompress, which reads its input one byte per system call: the full set (250 files of 1 MiB; a script
# expands at most 260 files) is made of 10 distinct files and their copies, which takes about 15 s where
# 200 distinct ones of 256 KiB took 40 s. The test run uses the full set: the installation's fixed part
# is then well under a tenth of what is measured.

find_program(QUOREL_BENCH_PYTHON3 NAMES python3 REQUIRED)
find_program(QUOREL_BENCH_MSCOMPRESS NAMES mscompress REQUIRED)

set(QUOREL_BENCH_DIR "${CMAKE_BINARY_DIR}/bench-dist")

# bench_files_<name>: <count> files of <size> bytes in bench-dist/<name>/ (originals/ and BENCH/).
function(quorel_bench_file_set name count size distinct)
    set(out "${QUOREL_BENCH_DIR}/${name}")
    set(stamp "${out}.stamp")
    add_custom_command(OUTPUT "${stamp}"
        COMMAND "${QUOREL_BENCH_PYTHON3}" "${CMAKE_SOURCE_DIR}/bench/make_bench_files.py"
                --out "${out}" --count ${count} --size ${size} --distinct ${distinct}
                --mscompress "${QUOREL_BENCH_MSCOMPRESS}" --stamp "${stamp}"
        DEPENDS "${CMAKE_SOURCE_DIR}/bench/make_bench_files.py" "${CMAKE_SOURCE_DIR}/sample/drivers/make_driver_images.py"
                "${CMAKE_CURRENT_LIST_FILE}"
        COMMENT "Making and compressing the ${name} benchmark files"
        VERBATIM)
    add_custom_target(bench_files_${name} DEPENDS "${stamp}")
    string(REPLACE "/" "\\\\" windows_path "Z:${out}")
    set(QUOREL_BENCH_${name}_WINDOWS "${windows_path}" PARENT_SCOPE)
endfunction()

quorel_bench_file_set(smoke 10 32768 10)
quorel_bench_file_set(full 250 1048576 10)

# The program's core and resources are linked in too: the benchmark opens the real progress window and
# calls the real message pump to show where the per-file time goes.
add_executable(install_benchmark bench/install_benchmark.cpp bench/bench_support.cpp src/resources/setup.rc)
target_link_libraries(install_benchmark PRIVATE e2e_harness quorel_core)
target_link_options(install_benchmark PRIVATE ${QUOREL_STATIC})
target_compile_definitions(install_benchmark PRIVATE
    QUOREL_BENCH_SMOKE_DIR="${QUOREL_BENCH_smoke_WINDOWS}" QUOREL_BENCH_FULL_DIR="${QUOREL_BENCH_full_WINDOWS}")
add_dependencies(install_benchmark dist bench_files_smoke bench_files_full)

# The full set runs in every test run and prints "install ratio X.XX" and the fixed part's share; the step
# breakdown is for runs by hand (bench/README.md). Nothing fails on a time.
add_test(NAME bench.install COMMAND install_benchmark --no-breakdown)
set_tests_properties(bench.install PROPERTIES LABELS bench RUN_SERIAL TRUE TIMEOUT 300)

# The expansion benchmark: ours against LZCopy ("expand ratio"), and the installation's file step against a
# plain copy of the expanded files ("copy-limit ratio").
add_executable(expand_benchmark bench/expand_benchmark.cpp bench/bench_support.cpp src/resources/setup.rc)
target_link_libraries(expand_benchmark PRIVATE e2e_harness quorel_core)
target_link_options(expand_benchmark PRIVATE ${QUOREL_STATIC})
target_compile_definitions(expand_benchmark PRIVATE
    QUOREL_BENCH_SMOKE_DIR="${QUOREL_BENCH_smoke_WINDOWS}" QUOREL_BENCH_FULL_DIR="${QUOREL_BENCH_full_WINDOWS}")
add_dependencies(expand_benchmark bench_files_smoke bench_files_full)
add_test(NAME bench.expand COMMAND expand_benchmark)
set_tests_properties(bench.expand PROPERTIES LABELS bench RUN_SERIAL TRUE TIMEOUT 300)

# The reader benchmark: the program's readers over a setup information file that fills every capacity,
# against the same reads made with one system call per byte; prints "reader ratio X.X".
add_executable(reader_benchmark bench/reader_benchmark.cpp bench/bench_support.cpp)
target_link_libraries(reader_benchmark PRIVATE quorel_core)
target_link_options(reader_benchmark PRIVATE ${QUOREL_STATIC})
add_test(NAME bench.reader COMMAND reader_benchmark)
set_tests_properties(bench.reader PROPERTIES LABELS bench RUN_SERIAL TRUE TIMEOUT 300)

# The configuration dialog benchmark: the dialog's opening over the installed configuration of the
# distribution's SETUP.QZT, against one full read of that script; prints "config-open ratio X.X". It
# installs the configuration in the prefix and leaves a machine without the driver.
add_executable(config_open_benchmark bench/config_open_benchmark.cpp bench/bench_support.cpp src/resources/setup.rc)
target_link_libraries(config_open_benchmark PRIVATE e2e_harness quorel_core)
target_link_options(config_open_benchmark PRIVATE ${QUOREL_STATIC})
target_compile_definitions(config_open_benchmark PRIVATE QUOREL_DIST_DIR="${QUOREL_DIST_DIR_WINDOWS}")
add_dependencies(config_open_benchmark dist)
add_test(NAME bench.config_open COMMAND config_open_benchmark)
set_tests_properties(bench.config_open PROPERTIES LABELS bench RUN_SERIAL TRUE TIMEOUT 300)
