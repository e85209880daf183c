# Helpers shared by the headless tools: world set-up as start-up does it, and
# input scripts. vortane-shot links them too.
add_library(vortane_simtools STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/input_script.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/sim_setup.cpp)
target_include_directories(vortane_simtools PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(vortane_simtools PUBLIC vortane_game)

# vortane-sim: the rules headless, traced as JSON lines (see tools/vortane_sim.cpp).
add_executable(vortane-sim
  ${CMAKE_CURRENT_SOURCE_DIR}/vortane_sim.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/sim_current.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/trace_writer.cpp)
target_link_libraries(vortane-sim PRIVATE vortane_simtools vortane_classic_sim)
