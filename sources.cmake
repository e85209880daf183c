# Every layer's source lists, for each build that compiles them: the desktop's
# and Windows' (the main CMakeLists.txt, and the tests under it) and the
# browser's (web/CMakeLists.txt). Each folder's sources.cmake sets its lists of
# full paths; a file added to a folder is in its list without a line anywhere,
# and only a file one host alone builds is named, once, in its folder's list.

# vortane_system_files(LIST): keeps the files of LIST made for the system being
# built for: a file ending in _windows for Windows, one ending in _posix for every
# other (the browser's emscripten included).
function(vortane_system_files list)
  if(WIN32)
    list(FILTER ${list} EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER ${list} EXCLUDE REGEX "_windows\\.cpp$")
  endif()
  set(${list} ${${list}} PARENT_SCOPE)
endfunction()

foreach(folder base store synth game render shell classic tools app web)
  include(${CMAKE_CURRENT_LIST_DIR}/${folder}/sources.cmake)
endforeach()
