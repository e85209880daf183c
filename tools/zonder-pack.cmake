# zonder-pack: text instruments and songs <-> the player's binary files. The
# codec lives in a library of its own so the asset tests can drive it directly.
add_library(zonder_text STATIC
  ${CMAKE_CURRENT_LIST_DIR}/zonder_text_binary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zonder_text_parse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zonder_text_records.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zonder_text_write.cpp)
vortane_layer(zonder_text tools)
target_link_libraries(zonder_text PUBLIC vortane_command_line vortane_zonder_format)

add_executable(zonder-pack ${CMAKE_CURRENT_LIST_DIR}/zonder_pack.cpp)
target_link_libraries(zonder-pack PRIVATE zonder_text vortane_command_line)
