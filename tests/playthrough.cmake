# Automation runs of the real game binary, each in a private folder with private user folders.
set(_run ${CMAKE_CURRENT_SOURCE_DIR}/playthrough/run_game.cmake)
set(_work ${CMAKE_BINARY_DIR}/playthrough)

function(vardell_playthrough name)
  cmake_parse_arguments(P "" "" "ARGS;CHECKS" ${ARGN})
  # Arguments travel as one "|"-separated value; the runner splits them again.
  string(REPLACE ";" "|" args "${P_ARGS}")
  add_test(NAME playthrough_${name}
    COMMAND ${CMAKE_COMMAND} -DVARDELL=$<TARGET_FILE:vardell> -DWORK=${_work}/${name} "-DARGS=${args}" ${P_CHECKS}
            -P ${_run})
  set_tests_properties(playthrough_${name} PROPERTIES TIMEOUT 180 LABELS playthrough)
endfunction()

vardell_playthrough(headless_frames
  ARGS --headless --fixed-dt 0.02 --frames 100
  CHECKS -DEXPECT_SETTINGS=1)
vardell_playthrough(offscreen_screenshot
  ARGS --windowed --frames 5 --screenshot shot.png
  CHECKS -DEXPECT_PNG=shot.png -DEXPECT_SETTINGS=1)
vardell_playthrough(offscreen_fullscreen
  ARGS --fixed-dt 0.02 --frames 3 --screenshot full.png --dump-tree tree.json
  CHECKS -DEXPECT_PNG=full.png -DEXPECT_JSON=tree.json)
vardell_playthrough(headless_script
  ARGS --headless --fixed-dt 0.02 --frames 1000 --script ${CMAKE_CURRENT_SOURCE_DIR}/playthrough/smoke.script
       --dump-tree end.json
  CHECKS -DEXPECT_JSON=mid.json -DEXPECT_JSON_TEXT=\"objects\")
vardell_playthrough(help
  ARGS --help
  CHECKS -DEXPECT_OUTPUT=--fixed-dt)
vardell_playthrough(bad_option
  ARGS --no-such-option
  CHECKS -DEXPECT_RC=2 -DEXPECT_OUTPUT=unknown)
vardell_playthrough(epilogue_conversation
  ARGS --windowed --fixed-dt 0.02 --script ${CMAKE_CURRENT_SOURCE_DIR}/playthrough/epilogue.script
  CHECKS -DEXPECT_PNG=mid.png -DEXPECT_JSON=mid.json -DEXPECT_JSON_TEXT=CPopupImage)
# The first start shows the logo and stores how many steps it loaded; the second start reads that back.
vardell_playthrough(first_and_later_start
  ARGS --windowed --fixed-dt 0.02 --frames 40 --screenshot start.png
  CHECKS -DRUNS=2 -DEXPECT_PNG=start.png -DEXPECT_SETTINGS=1 "-DEXPECT_SETTINGS_TEXT=MaxProgress=dword:")

# Venues played through their dumped rectangles (tests/playthrough/venue_clicks.cmake).
function(vardell_venue_playthrough name)
  add_test(NAME playthrough_${name}
    COMMAND ${CMAKE_COMMAND} -DVARDELL=$<TARGET_FILE:vardell> -DWORK=${_work}/${name} ${ARGN}
            -P ${CMAKE_CURRENT_SOURCE_DIR}/playthrough/venue_clicks.cmake)
  set_tests_properties(playthrough_${name} PROPERTIES TIMEOUT 300 LABELS playthrough)
endfunction()
vardell_venue_playthrough(venue_office -DSTAGE=0 -DFLAGS=100 -DVENUE=Headquarters_Office.xml -DMODE=office)
vardell_venue_playthrough(venue_differences -DSTAGE=1 -DFLAGS=106 -DVENUE=Warehouse_Differences.xml
  -DMODE=differences)
vardell_playthrough(venue_menu_options
  ARGS --windowed --fixed-dt 0.02 --script ${CMAKE_CURRENT_SOURCE_DIR}/playthrough/venue_menu_options.script
  CHECKS -DEXPECT_PNG=after_back.png -DEXPECT_JSON=options.json -DEXPECT_JSON_TEXT=COptionsDialog)
vardell_playthrough(missing_venue
  ARGS --headless --fixed-dt 0.02 --script ${CMAKE_CURRENT_SOURCE_DIR}/playthrough/missing_venue.script
  CHECKS -DEXPECT_JSON=menu.json -DEXPECT_JSON_TEXT=CMainEnvironment)
# Playthroughs driven by a CMake script of their own (tests/playthrough/<script>.cmake, which includes
# game_driver.cmake): each computes its clicks from the dumps of earlier runs.
function(vardell_scripted_playthrough name script)
  add_test(NAME playthrough_${name}
    COMMAND ${CMAKE_COMMAND} -DVARDELL=$<TARGET_FILE:vardell> -DWORK=${_work}/${name} ${ARGN}
            -P ${CMAKE_CURRENT_SOURCE_DIR}/playthrough/${script}.cmake)
  set_tests_properties(playthrough_${name} PROPERTIES TIMEOUT 600 LABELS playthrough)
endfunction()
# The jigsaw solved by drags computed from dumps, and Skip after thirty seconds (see the script).
vardell_scripted_playthrough(jigsaw jigsaw_solve)
# The lockbox by the story's move table, and Skip after thirty seconds.
vardell_scripted_playthrough(slide slide_solve)
# Every scene of the game in one picture: build/playthrough/contact_sheet/contact_sheet.png.
vardell_scripted_playthrough(contact_sheet contact_sheet -DCONTACTSHEET=$<TARGET_FILE:contactsheet>
  -DSOURCE=${CMAKE_SOURCE_DIR})
# The arcade board cleared by clicks read from dumps, ending in the pizza party; Skip after 30 s.
vardell_scripted_playthrough(match3 match3_solve)
# Each step replays the board from the start, which the address sanitizer makes slow.
set_tests_properties(playthrough_match3 PROPERTIES TIMEOUT 1500)
# The safe opened by the chalked recipe, and by Skip after thirty seconds.
vardell_scripted_playthrough(safe safe_solve)
# The room lock: wheels 4-7-2 and code rows from the dump, and Skip after thirty seconds.
vardell_scripted_playthrough(roomlock roomlock_solve)
vardell_scripted_playthrough(circuit circuit_solve)
vardell_scripted_playthrough(jewel jewel_solve)
vardell_scripted_playthrough(piano piano_song)
set_tests_properties(playthrough_piano PROPERTIES TIMEOUT 900)  # six runs through a whole song
# The story from New Game along the walkthrough, leg by leg (tests/playthrough/journey.cmake).
vardell_scripted_playthrough(journey journey)
# The longest test: started first, with room for the address sanitizer.
set_tests_properties(playthrough_journey PROPERTIES TIMEOUT 3600 COST 100000)
# The power cabinet, the barn door keypad and the camera lock, each solved from dumps and by Skip.
vardell_scripted_playthrough(streetcar_power streetcar_power_solve)
vardell_scripted_playthrough(barn_door barn_door_solve)
vardell_scripted_playthrough(camera_code camera_code_solve)
# Both microscopes solved by clicking the candidates that match the dumped view; Skip (see the script).
vardell_scripted_playthrough(microscope microscope_solve -DPART=solve
  -DPROFILE=${CMAKE_CURRENT_SOURCE_DIR}/playthrough/profiles/MicroscopeEvidence.xml)
vardell_scripted_playthrough(microscope_skip microscope_solve -DPART=skip
  -DPROFILE=${CMAKE_CURRENT_SOURCE_DIR}/playthrough/profiles/MicroscopeEvidence.xml)
# Fourteen runs of the real binary that replay ever longer scripts: room for a busy machine.
set_tests_properties(playthrough_microscope PROPERTIES TIMEOUT 1200)
# The orders the story allows besides the walkthrough's: the lockbox left with Back, the twelfth
# scrap found in the yard.
vardell_scripted_playthrough(journey_detours journey_detours)
