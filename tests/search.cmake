# The venue tests build their archives with the font tests' helpers (captions and the status board
# need the fonts) and read the demo's database from the source tree.
if(TARGET test_search)
  target_sources(test_search PRIVATE ${CMAKE_SOURCE_DIR}/tests/fonts/font_fixture.cpp)
endif()
