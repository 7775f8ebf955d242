# Items, doors, hints and the click penalty in the real binary.
if(COMMAND vardell_playthrough)
  set(_scripts ${CMAKE_CURRENT_SOURCE_DIR}/playthrough)
  # Stage 1 from a profile that carries the Dock key: the door stays shut to empty hands, opens with the key.
  vardell_playthrough(dock_door_key
    ARGS --windowed --fixed-dt 0.02 --script ${_scripts}/dock_door.script
    CHECKS -DPROFILE=${_scripts}/profiles/DockKeyCarrier.xml -DEXPECT_PNG=office.png -DEXPECT_JSON=office.json
           "-DEXPECT_JSON_TEXT=Warehouse_Office | loaded 1")
  # The Brass key opens the filing cabinet; back in the office a hint and three quick wrong clicks.
  vardell_playthrough(office_key_hint_penalty
    ARGS --windowed --fixed-dt 0.02 --script ${_scripts}/office_key_hint_penalty.script
    CHECKS -DEXPECT_PNG=penalty.png -DEXPECT_JSON=penalty.json -DEXPECT_JSON_TEXT=CMessageBox)
  # Quitting while the key flies to the strip: the next start still carries it.
  vardell_playthrough(quit_during_flight
    ARGS --headless --fixed-dt 0.02 --script ${_scripts}/quit_during_flight.script
    CHECKS -DRUNS=2 -DEXPECT_JSON=start.json "-DEXPECT_JSON_TEXT=Brass key | class 19 | slot 0 | x1 | idle")
endif()
