# The Windows programs: the games as GUI programs (no console window), the tools
# as console programs, every one with its icon, version information and manifest
# (program.rc.in), binary standard streams and UTF-8 arguments. Included by
# dist/CMakeLists.txt once every program target exists.
if(NOT VORTANE_HOST_BUILD)
  message(FATAL_ERROR "the Windows edition needs VORTANE_HOST_BUILD, a native build folder whose "
                      "run/data and icons it ships (make windows sets it)")
endif()

# The icons, from the native build's hicolor pictures (ImageMagick writes .ico).
set(windows_dir ${CMAKE_BINARY_DIR}/windows)
file(MAKE_DIRECTORY ${windows_dir})
foreach(game vortane vortane-classic)
  set(pictures)
  foreach(size 32 48 64 128 256)
    list(APPEND pictures ${VORTANE_HOST_BUILD}/icons/${game}-${size}.png)
  endforeach()
  add_custom_command(OUTPUT ${windows_dir}/${game}.ico
    COMMAND convert ${pictures} ${windows_dir}/${game}.ico
    DEPENDS ${pictures}
    COMMENT "Packing ${game}.ico" VERBATIM)
endforeach()
add_custom_target(vortane_windows_icons DEPENDS ${windows_dir}/vortane.ico ${windows_dir}/vortane-classic.ico)

set(RC_MANIFEST ${CMAKE_CURRENT_LIST_DIR}/program.manifest)
string(REPLACE "." "," RC_VERSION_COMMAS "${PROJECT_VERSION}.0")
set(game_descriptions
  "vortane=vortane, an arena shooter over a spring grid"
  "vortane-classic=vortane-classic, the earlier edition of the arena shooter"
  "vortane-sim=vortane-sim, the headless world simulator"
  "vortane-shot=vortane-shot, the frame renderer"
  "zonder-render=zonder-render, the synthesizer's renderer"
  "zonder-pack=zonder-pack, the synthesizer's file packer"
  "make-textures=make-textures, the picture generator")

foreach(program ${VORTANE_PROGRAMS})
  if(NOT TARGET ${program})
    continue()
  endif()
  set(RC_PROGRAM ${program})
  set(RC_DESCRIPTION ${program})
  foreach(entry ${game_descriptions})
    if(entry MATCHES "^${program}=(.*)$")
      set(RC_DESCRIPTION "${CMAKE_MATCH_1}")
    endif()
  endforeach()
  if(program STREQUAL "vortane-classic")
    set(RC_ICON ${windows_dir}/vortane-classic.ico)
  else()
    set(RC_ICON ${windows_dir}/vortane.ico)
  endif()
  configure_file(${CMAKE_CURRENT_LIST_DIR}/program.rc.in ${windows_dir}/${program}.rc @ONLY)
  set_source_files_properties(${windows_dir}/${program}.rc PROPERTIES OBJECT_DEPENDS "${RC_ICON};${RC_MANIFEST}")
  target_sources(${program} PRIVATE ${windows_dir}/${program}.rc ${APP_WINDOWS_GAME_SOURCES})
  target_link_libraries(${program} PRIVATE winmm)
  add_dependencies(${program} vortane_windows_icons)
  if(program STREQUAL "vortane" OR program STREQUAL "vortane-classic")
    # SDL2main's WinMain is the entry and hands main its arguments in UTF-8.
    target_link_options(${program} PRIVATE -mwindows)
  else()
    # The tool's main runs under another name behind a wmain that turns the wide
    # command line into UTF-8 (app/utf8_main_windows.cpp).
    get_target_property(sources ${program} SOURCES)
    list(GET sources 0 main_source)
    set_property(SOURCE ${main_source} TARGET_DIRECTORY ${program} APPEND PROPERTY COMPILE_DEFINITIONS
                 main=VortaneMain)
    target_sources(${program} PRIVATE ${APP_WINDOWS_TOOL_SOURCES})
    target_link_options(${program} PRIVATE -municode)
  endif()
endforeach()

# The runtime DLLs beside the programs: SDL2 and PortAudio, built from Debian's sources.
file(GLOB runtime_dlls ${VORTANE_WINDOWS_DEPS}/bin/*.dll)
file(COPY ${runtime_dlls} DESTINATION ${VORTANE_RUN_DIR})

# The unit tests under wine (make test): built only when asked, into unit-tests/.
option(VORTANE_WINDOWS_UNIT_TESTS "Build the unit tests that run under wine (GoogleTest from VORTANE_WINDOWS_DEPS)" OFF)
if(VORTANE_WINDOWS_UNIT_TESTS)
  add_subdirectory(${CMAKE_SOURCE_DIR}/tests/windows/unit ${CMAKE_BINARY_DIR}/unit-tests-build)
endif()
