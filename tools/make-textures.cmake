# make-textures: the game's pictures, drawn from code.
add_executable(make-textures
  ${CMAKE_CURRENT_LIST_DIR}/make_textures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture_canvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture_glyphs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture_pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture_icons.cpp)
vortane_layer(make-textures tools)
target_link_libraries(make-textures PRIVATE vortane_command_line PNG::PNG)
# Helpers for tools and tests that draw: PNG files, over the shell's off-screen GL
# context and edition frame (app/offscreen_gl.h, app/edition_frame.h).
add_library(vortane_gltools STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/png_frame.cpp)
vortane_layer(vortane_gltools tools)
target_link_libraries(vortane_gltools PUBLIC vortane_app PNG::PNG)
