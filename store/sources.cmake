# store: what the games keep between runs; its lock and disk steps per system.
file(GLOB STORE_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
vortane_system_files(STORE_SOURCES)
