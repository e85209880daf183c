# The earlier edition's frame drawn off screen, for vortane-shot and its tests.
add_library(vortane_classic_shot STATIC ${CMAKE_CURRENT_LIST_DIR}/shot_classic.cpp)
vortane_layer(vortane_classic_shot tools)
target_link_libraries(vortane_classic_shot PUBLIC vortane_classic_render vortane_gltools)

# vortane-shot: one frame of either edition as a PNG, the world run as vortane-sim runs it.
add_executable(vortane-shot ${CMAKE_CURRENT_LIST_DIR}/vortane_shot.cpp)
target_link_libraries(vortane-shot PRIVATE vortane_simtools vortane_render vortane_gltools
                      vortane_classic_shot)
target_compile_definitions(vortane-shot PRIVATE VORTANE_HAVE_CLASSIC=1)
