# The main menu through the real binary: first start, new game, credits, Exit; then a second start
# with seeded profiles for the times list and the player list.
if(TARGET vardell)
  add_test(NAME playthrough_main_menu
    COMMAND ${CMAKE_COMMAND} -DVARDELL=$<TARGET_FILE:vardell> -DWORK=${CMAKE_BINARY_DIR}/playthrough/main_menu
            -DSCRIPTS=${CMAKE_CURRENT_SOURCE_DIR}/playthrough -P ${CMAKE_CURRENT_SOURCE_DIR}/playthrough/run_menu.cmake)
  set_tests_properties(playthrough_main_menu PROPERTIES TIMEOUT 600 LABELS playthrough)
endif()
