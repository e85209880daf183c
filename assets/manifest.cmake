# Reads assets/manifest.txt, the one list of the data files, for any project that
# includes this (the desktop build and the pages' build alike). It sets
#   VORTANE_PICTURE_FILES       every picture make-textures draws
#   VORTANE_SOUND_STEMS         the effects' names (sounds/STEM.zit packs to STEM.zdi)
#   VORTANE_SONG_FILE           the song's data file (music/STEM.zst packs to it)
#   VORTANE_CURRENT_PAGE_FILES  what the current edition's page preloads
#   VORTANE_CLASSIC_PAGE_FILES  what the earlier edition's page preloads
# and makes the headers the code reads it through (assets/manifest.h,
# assets/current_pictures.h, assets/classic_pictures.h), reached by linking the
# interface target vortane_manifest.
include_guard(GLOBAL)

set(manifest ${CMAKE_CURRENT_LIST_DIR}/manifest.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${manifest})
file(STRINGS ${manifest} manifest_lines)

set(VORTANE_PICTURE_FILES)
set(VORTANE_SOUND_STEMS)
set(VORTANE_SONG_FILE)
set(VORTANE_CURRENT_PAGE_FILES)
set(VORTANE_CLASSIC_PAGE_FILES)
set(shared_slots "")
set(current_slots "")
set(classic_slots "")
set(classic_shared "")
set(current_table "")
set(classic_table "")
set(sound_slots "")
set(sound_files "")
set(sound_count 0)
set(slot_count 0)
foreach(line IN LISTS manifest_lines)
  if(line MATCHES "^[ \t]*(#|$)")
    continue()
  endif()
  string(REGEX REPLACE "[ \t]+" ";" fields "${line}")
  list(GET fields 0 kind)
  list(LENGTH fields count)
  if(kind STREQUAL "picture" AND (count EQUAL 5 OR count EQUAL 6))
    list(GET fields 1 edition)
    list(GET fields 2 slot)
    list(GET fields 3 name)
    list(GET fields 4 file)
    set(host "")
    if(count EQUAL 6)
      list(GET fields 5 host)
    endif()
    if(NOT edition MATCHES "^(current|classic|both)$" OR NOT host MATCHES "^(desktop)?$")
      message(FATAL_ERROR "${manifest}: cannot read \"${line}\"")
    endif()
    if(NOT file IN_LIST VORTANE_PICTURE_FILES)
      list(APPEND VORTANE_PICTURE_FILES ${file})
    endif()
    if(slot STREQUAL "grid")
      set(entry "PICTURE_GRID")
    elseif(slot STREQUAL "digits")
      set(entry "PICTURE_DIGITS")
    elseif(slot MATCHES "^[0-9]+$" AND name MATCHES "^SLOT_[A-Z0-9_]+$")
      set(entry ${name})
      set(constant "constexpr int ${name} = ${slot};\n")
      if(slot GREATER_EQUAL slot_count)
        math(EXPR slot_count "${slot} + 1")
      endif()
      if(edition STREQUAL "both")
        string(APPEND shared_slots "${constant}")
        string(APPEND classic_shared "using ::${name};\n")
      elseif(edition STREQUAL "current")
        string(APPEND current_slots "${constant}")
      else()
        string(APPEND classic_slots "${constant}")
      endif()
    else()
      message(FATAL_ERROR "${manifest}: cannot read \"${line}\"")
    endif()
    foreach(each current classic)
      if(edition STREQUAL each OR edition STREQUAL "both")
        string(APPEND ${each}_table "    {\"${file}\", ${entry}},\n")
        if(NOT host STREQUAL "desktop")
          string(TOUPPER ${each} upper)
          list(APPEND VORTANE_${upper}_PAGE_FILES ${file})
        endif()
      endif()
    endforeach()
  elseif(kind STREQUAL "sound" AND count EQUAL 4)
    list(GET fields 1 slot)
    list(GET fields 2 name)
    list(GET fields 3 file)
    # The effects fill their slots from 0 in order: a slot is an index.
    if(NOT slot EQUAL sound_count OR NOT name MATCHES "^SOUND_[A-Z0-9_]+$" OR NOT file MATCHES "^(.+)\\.zdi$")
      message(FATAL_ERROR "${manifest}: cannot read \"${line}\" (the sounds take slots 0, 1, ... in order)")
    endif()
    list(APPEND VORTANE_SOUND_STEMS ${CMAKE_MATCH_1})
    string(APPEND sound_slots "constexpr int ${name} = ${slot};\n")
    string(APPEND sound_files "    \"${file}\",\n")
    math(EXPR sound_count "${sound_count} + 1")
  elseif(kind STREQUAL "song" AND count EQUAL 2 AND NOT VORTANE_SONG_FILE)
    list(GET fields 1 VORTANE_SONG_FILE)
  else()
    message(FATAL_ERROR "${manifest}: cannot read \"${line}\"")
  endif()
endforeach()
foreach(each CURRENT CLASSIC)
  foreach(stem IN LISTS VORTANE_SOUND_STEMS)
    list(APPEND VORTANE_${each}_PAGE_FILES ${stem}.zdi)
  endforeach()
  list(APPEND VORTANE_${each}_PAGE_FILES ${VORTANE_SONG_FILE})
endforeach()

# The headers are written only when they change, so a new configure rebuilds nothing.
set(made "// Made by the build from assets/manifest.txt (assets/manifest.cmake): edit that.\n#pragma once\n")
set(VORTANE_MANIFEST_INCLUDE ${CMAKE_BINARY_DIR}/manifest)
function(vortane_manifest_header name text)
  file(WRITE ${CMAKE_BINARY_DIR}/CMakeFiles/manifest/${name} "${text}")
  configure_file(${CMAKE_BINARY_DIR}/CMakeFiles/manifest/${name} ${VORTANE_MANIFEST_INCLUDE}/assets/${name} COPYONLY)
endfunction()
vortane_manifest_header(manifest.h "${made}
// A picture an edition loads at start-up, in load order: its file and its sprite
// slot, or the grid's or the digits' texture.
struct ManifestPicture {
    const char* file;
    int slot;
};
constexpr int PICTURE_GRID = -1;
constexpr int PICTURE_DIGITS = -2;

// The sprite slots both editions use the same way, and how many slots there are.
${shared_slots}constexpr int SPRITE_SLOT_COUNT = ${slot_count};

// The sound-effect slots both editions' rules play, each loaded from its file.
${sound_slots}constexpr int SOUND_EFFECT_COUNT = ${sound_count};
constexpr const char* const SOUND_EFFECT_FILES[SOUND_EFFECT_COUNT] = {
${sound_files}};

// The song both editions load at start-up.
constexpr const char* const SONG_FILE = \"${VORTANE_SONG_FILE}\";
")
vortane_manifest_header(current_pictures.h "${made}#include \"assets/manifest.h\"

// The current edition's own sprite slots and its pictures in load order.
${current_slots}
constexpr ManifestPicture CURRENT_PICTURES[] = {
${current_table}};
")
vortane_manifest_header(classic_pictures.h "${made}#include \"assets/manifest.h\"

namespace classic {

// The earlier edition's own sprite slots, the shared ones, and its pictures in load order.
${classic_slots}${classic_shared}
constexpr ManifestPicture PICTURES[] = {
${classic_table}};

}  // namespace classic
")

add_library(vortane_manifest INTERFACE)
target_include_directories(vortane_manifest INTERFACE ${VORTANE_MANIFEST_INCLUDE})
