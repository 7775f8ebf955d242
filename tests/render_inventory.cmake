# The strip, the hint button, a door and a halo drawn by the GL backend with the staged art.
if(TARGET test_render_inventory)
  target_sources(test_render_inventory PRIVATE ${CMAKE_SOURCE_DIR}/tests/render/gl_fixture.cpp
                                               ${CMAKE_SOURCE_DIR}/tests/fonts/font_fixture.cpp)
  if(TARGET art_textures)
    add_dependencies(test_render_inventory art_textures)
  endif()
endif()
