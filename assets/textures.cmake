# The pictures of both editions, drawn by make-textures at build time.
set(VORTANE_TEXTURE_FILES
  grid6.tga numbers.tga shot.tga glow.tga shotglow.tga spark.tga dropping.tga
  gameover.tga tail.tga player1.tga player2.tga player3.tga enemy1.tga enemy2.tga
  enemy3.tga enemy4.tga enemyshot.tga grid.tga player.tga paused.tga)
set(texture_outputs)
foreach(name ${VORTANE_TEXTURE_FILES})
  list(APPEND texture_outputs ${VORTANE_RUN_DIR}/data/${name})
endforeach()
add_custom_command(OUTPUT ${texture_outputs}
  COMMAND make-textures ${VORTANE_RUN_DIR}/data ${VORTANE_TEXTURE_FILES}
  DEPENDS make-textures
  COMMENT "Drawing the textures" VERBATIM)
add_custom_target(vortane_textures DEPENDS ${texture_outputs})
add_dependencies(vortane_data vortane_textures)
