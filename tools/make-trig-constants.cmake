# make-trig-constants: writes game/trig_constants.cpp (committed) from MPFR. MPFR
# (libmpfr-dev, the development set) serves only this generator and the tests
# that hold the world's trigonometry against it; the games never link it.
pkg_check_modules(MPFR QUIET IMPORTED_TARGET GLOBAL mpfr)
if(MPFR_FOUND)
  add_executable(make-trig-constants ${CMAKE_CURRENT_LIST_DIR}/make_trig_constants.cpp)
  target_link_libraries(make-trig-constants PRIVATE vortane_game PkgConfig::MPFR)
  # A tool of the source tree, not of the installed game.
  set_target_properties(make-trig-constants PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
endif()
