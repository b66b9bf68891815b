# Run by CTest as style.store_asks_nothing: the configuration store returns what it found and the flows ask.
# It may tell (notices, the report) but includes nothing that opens a question or a dialog: the questions
# and dialogs of the interaction layer, its dialog base and its controls.
file(GLOB sources ${QUOREL_STORE_DIR}/*.cpp ${QUOREL_STORE_DIR}/*.h)
set(asking "")
foreach(source IN LISTS sources)
    file(STRINGS ${source} hits REGEX "#include \"ui/(user_interface|interaction_backend|dialog|controls)\\.h\"")
    if(hits)
        list(APPEND asking ${source})
    endif()
endforeach()
if(asking)
    list(JOIN asking "\n  " shown)
    message(FATAL_ERROR "The configuration store includes questions or dialogs:\n  ${shown}")
endif()
