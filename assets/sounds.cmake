# Sound effects and the song, compiled from their text sources by zonder-pack.
set(VORTANE_SOUND_NAMES shot explode pickup die levelup)
set(sound_outputs)
foreach(name ${VORTANE_SOUND_NAMES})
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
set(song_out ${VORTANE_RUN_DIR}/data/zazizer.zds)
add_custom_command(OUTPUT ${song_out}
  COMMAND zonder-pack ${CMAKE_CURRENT_LIST_DIR}/music/zazizer.zst -o ${song_out}
  DEPENDS zonder-pack ${CMAKE_CURRENT_LIST_DIR}/music/zazizer.zst ${song_instruments}
  COMMENT "Packing zazizer.zds" VERBATIM)
list(APPEND sound_outputs ${song_out})

add_custom_target(vortane_sounds DEPENDS ${sound_outputs})
add_dependencies(vortane_data vortane_sounds)
