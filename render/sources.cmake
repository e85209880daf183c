# render: the drawing for every host over the back-ends the host registers; the
# fixed-function back-end needs desktop OpenGL and GLU, so only the desktop's (and
# Windows') build has it.
file(GLOB RENDER_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
set(RENDER_DESKTOP_SOURCES ${CMAKE_CURRENT_LIST_DIR}/fixed_backend.cpp)
list(REMOVE_ITEM RENDER_SOURCES ${RENDER_DESKTOP_SOURCES})
