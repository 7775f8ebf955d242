# The travel maps in the real binary: the route's end and Skip both start the transition onwards.
if(COMMAND vardell_playthrough)
  vardell_playthrough(map_route_end
    ARGS --headless --fixed-dt 0.02 --script ${CMAKE_CURRENT_SOURCE_DIR}/playthrough/map_route_end.script
    CHECKS -DEXPECT_JSON=travelling.json -DEXPECT_JSON_TEXT=CShutter)
  vardell_playthrough(map_skip
    ARGS --headless --fixed-dt 0.02 --script ${CMAKE_CURRENT_SOURCE_DIR}/playthrough/map_skip.script
    CHECKS -DEXPECT_JSON=skipped.json -DEXPECT_JSON_TEXT=CShutter)
endif()
