# vortane_trace: the JSON-lines trace of a world, written by vortane-sim and read
# back by the golden and soak tests.
add_library(vortane_trace STATIC ${CMAKE_CURRENT_LIST_DIR}/trace_writer.cpp)
vortane_layer(vortane_trace tools)
target_link_libraries(vortane_trace PUBLIC vortane_game)
