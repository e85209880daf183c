# zonder-render: the synthesizer offline, for checking and authoring sounds and
# songs: renders through the stream callback into a WAV file (see tools/zonder_render.cpp).
add_executable(zonder-render ${CMAKE_CURRENT_LIST_DIR}/zonder_render.cpp ${CMAKE_CURRENT_LIST_DIR}/memory_file.cpp
               ${CMAKE_CURRENT_LIST_DIR}/segment_skip.cpp)
target_link_libraries(zonder-render PRIVATE vortane_synth zonder_text vortane_command_line)
