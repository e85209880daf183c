# make-textures: the game's pictures, drawn from code.
add_executable(make-textures
  ${CMAKE_CURRENT_LIST_DIR}/make_textures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture_canvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture_glyphs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture_pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture_icons.cpp)
vortane_layer(make-textures tools)
target_link_libraries(make-textures PRIVATE vortane_command_line PNG::PNG)
# Helpers for tools and tests that draw: an off-screen GL context, an edition's
# frame and PNG files.
add_library(vortane_gltools STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/gl_context.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/edition_frame.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/png_frame.cpp)
vortane_layer(vortane_gltools tools)
target_link_libraries(vortane_gltools PUBLIC vortane_app PkgConfig::SDL2 OpenGL::GL ${OPENGL_glu_LIBRARY}
                      PNG::PNG)
