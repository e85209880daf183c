# game: the world's rules and the shared grid, the same on every host.
file(GLOB GAME_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
