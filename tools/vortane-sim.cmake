# Helpers shared by the headless tools: every edition by name, the run a tool
# traces or draws (input scripts and recordings are the world's own, in game/), and
# the trace of a run. vortane-shot, the benchmarks and the tests link them too.
# Both lists are in tools/sources.cmake, which the browser's build reads too.
add_library(vortane_simtools STATIC ${TOOLS_SIM_HELPER_SOURCES})
vortane_layer(vortane_simtools tools)
target_link_libraries(vortane_simtools PUBLIC vortane_render vortane_classic_render vortane_command_line)

# vortane-sim: the rules headless, traced as JSON lines (see tools/vortane_sim.cpp).
add_executable(vortane-sim ${TOOLS_SIM_SOURCES})
target_link_libraries(vortane-sim PRIVATE vortane_simtools)
