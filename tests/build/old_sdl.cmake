# Configures the tree with pkg-config finding an sdl2 of version 2.0.20 first, and
# checks that configuring stops with the message naming the version it needs.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/pkgconfig)
file(WRITE ${WORK_DIR}/pkgconfig/sdl2.pc
     "Name: sdl2\nDescription: an SDL older than the game needs\nVersion: 2.0.20\nLibs: -lSDL2\nCflags:\n")
set(ENV{PKG_CONFIG_PATH} ${WORK_DIR}/pkgconfig)
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/build -DBUILD_TESTING=OFF
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(result EQUAL 0)
  message(FATAL_ERROR "configuring with SDL 2.0.20 succeeded")
endif()
string(FIND "${out}${err}" "vortane needs SDL 2.24 or later" at)
if(at EQUAL -1)
  message(FATAL_ERROR "configuring failed without saying which SDL it needs:\n${out}${err}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
