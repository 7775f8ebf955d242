# The barn door keypad through the real binary: each run reads the calling lamp from the dump and
# the next run presses the button with that lamp's symbol, four times; the solved speech is closed
# and the shop floor opens with the door flags saved. Then Skip after thirty seconds.
#   -DVARDELL=<binary> -DWORK=<folder>
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

include(${CMAKE_CURRENT_LIST_DIR}/game_driver.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/switch_puzzle_steps.cmake)
set(DT 0.05)  # clicks and speech only: longer frames keep the software-drawn runs short

# Button centres (ref, y 668) by the lamp column each answers.
set(button_x 643 308 443 240 510 710 375 576)

# The first arrival says the help; the keypad is then opened again from itself and reseeded while
# the screen fades, so that its order is the same in every run (the main menu's own effects do not
# draw the same random numbers from run to run).
set(prefix "player Doorman\nstage 3\nflag 61 on\ngoto 93\nat 1.4\ndump help.json\ngoto 93\nat 1.8\nseed 9\nat 3.5\n")
run_game(open "${prefix}dump open.json\nscreenshot open.png\nquit\n")
expect_text(open/help.json "CSpeechBalloon")
set(t_ms 3500)
set(columns)
foreach(press RANGE 1 4)
  run_game(press${press} "${prefix}dump panel.json\nscreenshot panel.png\nquit\n")
  object_text("${WORK}/press${press}/panel.json" CTrolleyBarnDoorEnvironment state)
  math(EXPR answered "${press} - 1")
  if(NOT state MATCHES "solved 0 \\| calling ([0-7]) \\| answered ${answered}$")
    message(FATAL_ERROR "before press ${press}: ${state}")
  endif()
  set(c ${CMAKE_MATCH_1})
  list(APPEND columns ${c})
  list(GET button_x ${c} x)
  math(EXPR t_ms "${t_ms} + 400")
  set(prefix "${prefix}click ref ${x} 668\nat ${t_ms}e-3\n")
endforeach()
run_game(solved "${prefix}at ${t_ms}e-3\ndump solved.json\nscreenshot solved.png\nquit\n")
expect_text(solved/solved.json "solved 1 | calling -1 | answered 4")
balloon_centre("${WORK}/solved/solved.json" sx sy)
math(EXPR t_venue "${t_ms} + 3000")
run_game(shop "${prefix}click ${sx} ${sy}\nat ${t_venue}e-3\ndump shop.json\nscreenshot shop.png\nquit\n")
expect_text(shop/shop.json "TrolleyBarn_ShopFloor | loaded 1")
expect_profile_flag(shop Doorman 60)
expect_profile_flag(shop Doorman 74)
message(STATUS "columns ${columns} answered")

skip_after_thirty(skip Impatient "player Impatient\nseed 4\nstage 3\nflag 61 on\ngoto 93\n"
  "solved 1 | calling -1 | answered 4" 60)
