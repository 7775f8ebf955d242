# The inventory tests play in real venues: they share the venue tests' world (archives with the
# demo's database and the baked fonts, a null device, a hand-driven clock and pointer).
if(TARGET test_inventory)
  target_sources(test_inventory PRIVATE ${CMAKE_SOURCE_DIR}/tests/fonts/font_fixture.cpp
                                        ${CMAKE_SOURCE_DIR}/tests/search/venue_fixture.cpp)
endif()
