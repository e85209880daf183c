# The pictures of both editions (the manifest's), drawn by make-textures at build time.
set(texture_outputs)
foreach(name ${VORTANE_PICTURE_FILES})
  list(APPEND texture_outputs ${VORTANE_RUN_DIR}/data/${name})
endforeach()
add_custom_command(OUTPUT ${texture_outputs}
  COMMAND make-textures ${VORTANE_RUN_DIR}/data ${VORTANE_PICTURE_FILES}
  DEPENDS make-textures
  COMMENT "Drawing the textures" VERBATIM)
add_custom_target(vortane_textures DEPENDS ${texture_outputs})
add_dependencies(vortane_data vortane_textures)
