# Helpers for tools and tests that draw: an off-screen GL context and PNG frames.
add_library(vortane_gltools STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/gl_context.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/png_frame.cpp)
target_include_directories(vortane_gltools PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(vortane_gltools PUBLIC vortane_app PkgConfig::SDL2 OpenGL::GL ${OPENGL_glu_LIBRARY}
                      PNG::PNG)

# vortane-shot runs the world as vortane-sim does, so it joins once the rules and
# the simulator's helpers are in the tree.
if(EXISTS ${CMAKE_SOURCE_DIR}/game/update.h AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/sim_setup.cpp)
  add_executable(vortane-shot ${CMAKE_CURRENT_SOURCE_DIR}/vortane_shot.cpp)
  target_link_libraries(vortane-shot PRIVATE vortane_simtools vortane_render vortane_gltools)
  if(TARGET vortane_classic_shot)
    target_link_libraries(vortane-shot PRIVATE vortane_classic_shot)
    target_compile_definitions(vortane-shot PRIVATE VORTANE_HAVE_CLASSIC=1)
  endif()
endif()
