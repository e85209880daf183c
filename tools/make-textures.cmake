# make-textures: the game's pictures, drawn from code.
add_executable(make-textures
  ${CMAKE_CURRENT_LIST_DIR}/make_textures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture_canvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture_glyphs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture_pictures.cpp)
target_include_directories(make-textures PRIVATE ${CMAKE_SOURCE_DIR})
