# The puzzle tests build their archives with the font tests' helpers (buttons and speech need the
# fonts) and read the demo's database from the source tree.
if(TARGET test_puzzles)
  target_sources(test_puzzles PRIVATE ${CMAKE_SOURCE_DIR}/tests/fonts/font_fixture.cpp)
endif()
if(TARGET test_cheat)
  target_sources(test_cheat PRIVATE ${CMAKE_SOURCE_DIR}/tests/fonts/font_fixture.cpp
    ${CMAKE_SOURCE_DIR}/tests/puzzles/puzzle_fixture.cpp)
endif()
