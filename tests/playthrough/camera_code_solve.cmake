# The camera lock through the real binary: the keys 1, 8, 7, 1 and Enter clicked where the dump
# shows them, the solved speech closed, and Crane's photograph opens with flag 9 saved. Then Skip
# after thirty seconds, which shows the code in the windows first.
#   -DVARDELL=<binary> -DWORK=<folder>
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

include(${CMAKE_CURRENT_LIST_DIR}/game_driver.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/switch_puzzle_steps.cmake)
set(DT 0.05)  # clicks and speech only: longer frames keep the software-drawn runs short

set(prefix "player Snapper\nseed 9\nstage 3\nflag 12 on\ngoto 62\nat 2.5\n")
run_game(open "${prefix}dump open.json\nscreenshot open.png\nquit\n")
read_dump("${WORK}/open/open.json" text count)
expect_text(open/open.json "solved 0 | display ----")
expect_no_text(open/open.json "CSpeechBalloon")  # no help on arrival
set(t_ms 2500)
set(keys)
foreach(command 1319 1326 1325 1319 1328)  # 1, 8, 7, 1, Enter
  find_object("${text}" ${count} id ${command} key)
  if(key EQUAL -1)
    message(FATAL_ERROR "no key ${command}")
  endif()
  object_centre("${text}" ${key} x y)
  math(EXPR t_ms "${t_ms} + 300")
  set(keys "${keys}at ${t_ms}e-3\nclick ${x} ${y}\n")
  if(command EQUAL 1325)
    math(EXPR t_shown "${t_ms} + 200")
    run_game(typing "${prefix}${keys}at ${t_shown}e-3\ndump typing.json\nscreenshot typing.png\nquit\n")
  endif()
endforeach()
expect_text(typing/typing.json "solved 0 | display 187-")
math(EXPR t_ms "${t_ms} + 500")
set(prefix "${prefix}${keys}at ${t_ms}e-3\n")
run_game(solved "${prefix}dump solved.json\nscreenshot solved.png\nquit\n")
expect_text(solved/solved.json "solved 1 | display 1871")
balloon_centre("${WORK}/solved/solved.json" sx sy)
math(EXPR t_venue "${t_ms} + 3000")
run_game(photo "${prefix}click ${sx} ${sy}\nat ${t_venue}e-3\ndump photo.json\nscreenshot photo.png\nquit\n")
expect_text(photo/photo.json "House_Photo | loaded 1")
expect_profile_flag(photo Snapper 9)

skip_after_thirty(skip Rushed "player Rushed\nseed 4\nstage 3\nflag 12 on\ngoto 62\n" "solved 1 | display 1871" 9)
