# The menu tests build their archives with the font tests' helpers, the demo's string table and
# the build's art.
if(TARGET test_menu)
  target_sources(test_menu PRIVATE ${CMAKE_SOURCE_DIR}/tests/fonts/font_fixture.cpp)
  foreach(dep art_textures content_fonts)
    if(TARGET ${dep})
      add_dependencies(test_menu ${dep})
    endif()
  endforeach()
endif()
