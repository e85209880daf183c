# shell: the start-up and shutdown every host runs over its platform.
file(GLOB SHELL_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
