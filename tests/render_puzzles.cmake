# The puzzle render tests draw through the GL test window of the device's own render tests.
if(TARGET test_render_puzzles)
  target_sources(test_render_puzzles PRIVATE ${CMAKE_SOURCE_DIR}/tests/render/gl_fixture.cpp)
endif()
