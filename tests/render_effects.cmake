# The effect render tests draw through the GL test window of the device's own render tests and
# read the staged effect pictures.
if(TARGET test_render_effects)
  target_sources(test_render_effects PRIVATE ${CMAKE_SOURCE_DIR}/tests/render/gl_fixture.cpp)
  if(TARGET art_textures)
    add_dependencies(test_render_effects art_textures)
  endif()
endif()
