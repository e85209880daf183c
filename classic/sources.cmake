# classic: the earlier edition's rules (no GL, no SDL: the headless tools run
# them), its pictures, frame and descriptor, and its desktop program.
file(GLOB CLASSIC_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
set(CLASSIC_RENDER_SOURCES ${CMAKE_CURRENT_LIST_DIR}/textures.cpp ${CMAKE_CURRENT_LIST_DIR}/scene.cpp
                           ${CMAKE_CURRENT_LIST_DIR}/edition.cpp)
set(CLASSIC_PROGRAM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
list(REMOVE_ITEM CLASSIC_SOURCES ${CLASSIC_RENDER_SOURCES} ${CLASSIC_PROGRAM_SOURCES})
