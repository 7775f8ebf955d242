# The map tests build their archives with the font tests' helpers (labels and Skip need the fonts).
if(TARGET test_map)
  target_sources(test_map PRIVATE ${CMAKE_SOURCE_DIR}/tests/fonts/font_fixture.cpp)
endif()
