# vortane-shot: one frame of either edition as a PNG, the world run as vortane-sim runs it.
add_executable(vortane-shot ${CMAKE_CURRENT_LIST_DIR}/vortane_shot.cpp)
target_link_libraries(vortane-shot PRIVATE vortane_simtools vortane_gltools)
