# Helpers shared by the headless tools: world set-up as start-up does it, and
# input scripts. vortane-shot links them too.
add_library(vortane_simtools STATIC
  ${CMAKE_CURRENT_LIST_DIR}/input_script.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_setup.cpp)
vortane_layer(vortane_simtools tools)
target_link_libraries(vortane_simtools PUBLIC vortane_game vortane_command_line)

# Each edition's entry of the simulator's table.
add_library(vortane_classic_sim STATIC ${CMAKE_CURRENT_LIST_DIR}/sim_classic.cpp)
target_link_libraries(vortane_classic_sim PUBLIC vortane_classic vortane_trace)

# vortane-sim: the rules headless, traced as JSON lines (see tools/vortane_sim.cpp).
add_executable(vortane-sim
  ${CMAKE_CURRENT_LIST_DIR}/vortane_sim.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_current.cpp)
target_link_libraries(vortane-sim PRIVATE vortane_simtools vortane_classic_sim vortane_trace)
