# The headless tools' helpers (every edition by name, the run a tool traces or
# draws, the trace of a run) and vortane-sim, which the browser's build makes for
# node as well.
set(TOOLS_SIM_HELPER_SOURCES ${CMAKE_CURRENT_LIST_DIR}/editions.cpp ${CMAKE_CURRENT_LIST_DIR}/run_choice.cpp
                             ${CMAKE_CURRENT_LIST_DIR}/trace_steps.cpp)
set(TOOLS_SIM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/vortane_sim.cpp)
