# The control tests build their archives with the font tests' helpers; the render tests also
# share the controls' world.
if(TARGET test_controls)
  target_sources(test_controls PRIVATE ${CMAKE_SOURCE_DIR}/tests/fonts/font_fixture.cpp)
endif()
if(TARGET test_render_controls)
  target_sources(test_render_controls PRIVATE ${CMAKE_SOURCE_DIR}/tests/fonts/font_fixture.cpp
                                              ${CMAKE_SOURCE_DIR}/tests/controls/support/controls_world.cpp)
endif()
