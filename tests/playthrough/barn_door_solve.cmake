# The barn door keypad through the real binary: each run reads the calling lamp from the dump and
# the next run presses the button with that lamp's symbol, four times; the solved speech is closed
# and the shop floor opens with the door flags saved. Then Skip after thirty seconds.
#   -DVARDELL=<binary> -DWORK=<folder>
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

include(${CMAKE_CURRENT_LIST_DIR}/game_driver.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/switch_puzzle_steps.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/barn_door_moves.cmake)
set(DT 0.05)  # clicks and speech only: longer frames keep the software-drawn runs short

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
  barn_door_press("${state}" ${answered} c x)
  list(APPEND columns ${c})
  math(EXPR t_ms "${t_ms} + 400")
  set(prefix "${prefix}click ref ${x} ${BARN_DOOR_BUTTON_Y}\nat ${t_ms}e-3\n")
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
