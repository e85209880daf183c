# Sound effects and the song (the manifest's), compiled from their text sources by zonder-pack.
set(sound_outputs)
foreach(name ${VORTANE_SOUND_STEMS})
  set(src ${CMAKE_CURRENT_LIST_DIR}/sounds/${name}.zit)
  set(out ${VORTANE_RUN_DIR}/data/${name}.zdi)
  add_custom_command(OUTPUT ${out}
    COMMAND zonder-pack ${src} -o ${out}
    DEPENDS zonder-pack ${src}
    COMMENT "Packing ${name}.zdi" VERBATIM)
  list(APPEND sound_outputs ${out})
endforeach()

# The song reads its instrument files from its own folder.
file(GLOB song_instruments CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/music/*.zit)
get_filename_component(song_stem ${VORTANE_SONG_FILE} NAME_WE)
set(song_src ${CMAKE_CURRENT_LIST_DIR}/music/${song_stem}.zst)
set(song_out ${VORTANE_RUN_DIR}/data/${VORTANE_SONG_FILE})
add_custom_command(OUTPUT ${song_out}
  COMMAND zonder-pack ${song_src} -o ${song_out}
  DEPENDS zonder-pack ${song_src} ${song_instruments}
  COMMENT "Packing ${VORTANE_SONG_FILE}" VERBATIM)
list(APPEND sound_outputs ${song_out})

add_custom_target(vortane_sounds DEPENDS ${sound_outputs})
add_dependencies(vortane_data vortane_sounds)
