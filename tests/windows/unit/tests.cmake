# The unit tests that need no display, audio device or second program, as the
# Windows edition runs them under wine: the same sources as the native tests. Read by
# the Windows build (unit/CMakeLists.txt builds each) and by the native build
# (tests/windows/CMakeLists.txt runs each under wine), which give
# vortane_windows_unit_test their own meanings.
set(unit ${CMAKE_SOURCE_DIR}/tests)
vortane_windows_unit_test(base_tests
  SOURCES ${unit}/base/log_test.cpp ${unit}/base/stopwatch_test.cpp ${unit}/base/step_clock_test.cpp
  LIBS vortane_base)
# The lock between two writers (LockFileEx on Windows) and the kept files' formats.
vortane_windows_unit_test(store_tests
  SOURCES ${unit}/store/settings_test.cpp ${unit}/store/best_scores_test.cpp ${unit}/store/file_lock_test.cpp
  LIBS vortane_store)
vortane_windows_unit_test(game_tests
  SOURCES ${unit}/game/grid_test.cpp ${unit}/game/rules_test.cpp ${unit}/game/enemies_test.cpp
          ${unit}/game/explosions_test.cpp ${unit}/game/run_log_test.cpp
  LIBS vortane_current_render)
vortane_windows_unit_test(shared_pieces_tests
  SOURCES ${unit}/game/shared_pieces_test.cpp
  LIBS vortane_classic vortane_current)
vortane_windows_unit_test(edition_world_tests
  SOURCES ${unit}/game/edition_world_test.cpp
  LIBS vortane_classic_render vortane_current_render)
vortane_windows_unit_test(grid_kernel_tests
  SOURCES ${unit}/game/grid_kernel_test.cpp
  LIBS vortane_classic_render vortane_current_render)
vortane_windows_unit_test(synth_tests
  SOURCES ${unit}/synth/file_test.cpp ${unit}/synth/voice_test.cpp ${unit}/synth/voice_requests_test.cpp
          ${unit}/synth/sequencer_test.cpp ${unit}/synth/statistics_test.cpp ${unit}/synth/output_volume_test.cpp
  LIBS vortane_synth)
vortane_windows_unit_test(render_cpu_tests
  SOURCES ${unit}/render/targa_test.cpp ${unit}/render/targa_files.cpp ${unit}/render/quad_batch_test.cpp
          ${unit}/render/texture_atlas_test.cpp
  LIBS vortane_render)
