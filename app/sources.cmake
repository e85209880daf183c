# app: the desktop shell over SDL2. Apart from the library: the vortane program's
# entry, and the Windows-only pieces the Windows build puts elsewhere (the OpenGL
# entry points, a library of their own; the games' GUI start-up; the tools' wide
# command line).
file(GLOB APP_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
set(APP_PROGRAM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/vortane_main.cpp)
set(APP_WINDOWS_GL_SOURCES ${CMAKE_CURRENT_LIST_DIR}/gl_entry_points_windows.cpp)
set(APP_WINDOWS_GAME_SOURCES ${CMAKE_CURRENT_LIST_DIR}/program_start_windows.cpp)
set(APP_WINDOWS_TOOL_SOURCES ${CMAKE_CURRENT_LIST_DIR}/utf8_main_windows.cpp)
list(REMOVE_ITEM APP_SOURCES ${APP_PROGRAM_SOURCES} ${APP_WINDOWS_GL_SOURCES} ${APP_WINDOWS_GAME_SOURCES}
     ${APP_WINDOWS_TOOL_SOURCES})
vortane_system_files(APP_SOURCES)
