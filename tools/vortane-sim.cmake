# Helpers shared by the headless tools: every edition by name, the run a tool
# traces or draws (input scripts and recordings are the world's own, in game/), and
# the trace of a run. vortane-shot, the benchmarks and the tests link them too.
add_library(vortane_simtools STATIC
  ${CMAKE_CURRENT_LIST_DIR}/editions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/run_choice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trace_steps.cpp)
vortane_layer(vortane_simtools tools)
target_link_libraries(vortane_simtools PUBLIC vortane_current_render vortane_classic_render vortane_command_line)

# vortane-sim: the rules headless, traced as JSON lines (see tools/vortane_sim.cpp).
add_executable(vortane-sim ${CMAKE_CURRENT_LIST_DIR}/vortane_sim.cpp)
target_link_libraries(vortane-sim PRIVATE vortane_simtools)
