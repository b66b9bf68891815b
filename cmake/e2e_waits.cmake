# Run by CTest as style.e2e_waits: the end-to-end tests wait through the harness's WaitFor and ExpectStays,
# which hold the only sleep. A sleep of a test's own names neither what it waits for nor when it may stop,
# and a slow machine makes it too short.
file(GLOB_RECURSE sources ${QUOREL_E2E_DIR}/*.cpp ${QUOREL_E2E_DIR}/*.h)
set(sleeping "")
foreach(source IN LISTS sources)
    get_filename_component(name ${source} NAME)
    if(name STREQUAL "harness.cpp")
        continue()
    endif()
    file(STRINGS ${source} hits REGEX "Sleep(Ex)?\\(|sleep_(for|until)\\(")
    if(hits)
        list(APPEND sleeping ${source})
    endif()
endforeach()
if(sleeping)
    list(JOIN sleeping "\n  " shown)
    message(FATAL_ERROR "Sleeps outside the harness's WaitFor and ExpectStays:\n  ${shown}")
endif()
