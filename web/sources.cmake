# web: the browser's shell, and each page's entry. Its key table, pad folding and
# canvas fitting touch no emscripten: the native tests build them too.
file(GLOB WEB_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
set(WEB_PORTABLE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/dom_key_codes.cpp ${CMAKE_CURRENT_LIST_DIR}/web_controls.cpp
                         ${CMAKE_CURRENT_LIST_DIR}/canvas_fit.cpp ${CMAKE_CURRENT_LIST_DIR}/web_key_bindings.cpp
                         ${CMAKE_CURRENT_LIST_DIR}/page_pause.cpp)
set(WEB_CURRENT_PAGE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/vortane_web.cpp)
set(WEB_CLASSIC_PAGE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/vortane_classic_web.cpp)
list(REMOVE_ITEM WEB_SOURCES ${WEB_CURRENT_PAGE_SOURCES} ${WEB_CLASSIC_PAGE_SOURCES})
