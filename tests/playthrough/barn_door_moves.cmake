# The barn door keypad's next press read from its dump (after game_driver.cmake).

# Button centres (ref x, y 668) by the lamp column each answers.
set(BARN_DOOR_BUTTON_X 643 308 443 240 510 710 375 576)
set(BARN_DOOR_BUTTON_Y 668)

# From the keypad's dump text (state) with answered presses made so far: the calling lamp's column
# (out_column) and the ref x of the button with its symbol (out_x). Fails on any other state.
function(barn_door_press state answered out_column out_x)
  if(NOT state MATCHES "solved 0 \\| calling ([0-7]) \\| answered ${answered}$")
    message(FATAL_ERROR "keypad before press ${answered} + 1: ${state}")
  endif()
  list(GET BARN_DOOR_BUTTON_X ${CMAKE_MATCH_1} x)
  set(${out_column} ${CMAKE_MATCH_1} PARENT_SCOPE)
  set(${out_x} ${x} PARENT_SCOPE)
endfunction()
