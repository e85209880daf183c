# base: the core every layer uses, and apart from it the command line (only the
# programs' entry points and tools) and the trace's line writer.
file(GLOB BASE_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
set(BASE_COMMAND_LINE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp)
set(BASE_TRACE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/trace_line.cpp)
list(REMOVE_ITEM BASE_SOURCES ${BASE_COMMAND_LINE_SOURCES} ${BASE_TRACE_SOURCES})
vortane_system_files(BASE_SOURCES)
