# current: the current edition's rules (no GL, no SDL: the headless tools run
# them), its pictures, frame and descriptor, and its desktop program.
file(GLOB CURRENT_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
set(CURRENT_RENDER_SOURCES ${CMAKE_CURRENT_LIST_DIR}/textures.cpp ${CMAKE_CURRENT_LIST_DIR}/scene.cpp
                           ${CMAKE_CURRENT_LIST_DIR}/edition.cpp)
set(CURRENT_PROGRAM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
list(REMOVE_ITEM CURRENT_SOURCES ${CURRENT_RENDER_SOURCES} ${CURRENT_PROGRAM_SOURCES})
