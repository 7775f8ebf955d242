# The power cabinet through the real binary: the lamps are read from the dump, the levers whose
# lamp sets together cover the dark lamps are clicked once each, the solved speech is closed and
# the dispatcher's office opens with the power flags saved. Then Skip after thirty seconds.
#   -DVARDELL=<binary> -DWORK=<folder>
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

include(${CMAKE_CURRENT_LIST_DIR}/game_driver.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/switch_puzzle_steps.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/streetcar_power_moves.cmake)
set(DT 0.05)  # clicks and speech only: longer frames keep the software-drawn runs short

# The first arrival says the help; the cabinet is then opened again from itself and reseeded while
# the screen fades, so that its scramble is the same in every run (the main menu's own effects do
# not draw the same random numbers from run to run).
set(prefix "player Lineman\nstage 3\ngoto 82\nat 1.4\ndump help.json\ngoto 82\nat 1.8\nseed 9\nat 3.5\n")
run_game(open "${prefix}dump open.json\nscreenshot open.png\nquit\n")
expect_text(open/help.json "CSpeechBalloon")
object_text("${WORK}/open/open.json" CStreetcarPowerEnvironment state)
streetcar_power_levers("${state}" lamps levers)

set(clicks "")
set(t_ms 3500)
foreach(x ${levers})
  math(EXPR t_ms "${t_ms} + 300")
  set(clicks "${clicks}at ${t_ms}e-3\nclick ref ${x} ${STREETCAR_LEVER_Y}\n")
endforeach()
math(EXPR t_solved "${t_ms} + 800")
set(prefix "${prefix}${clicks}at ${t_solved}e-3\n")
run_game(solved "${prefix}dump solved.json\nscreenshot solved.png\nquit\n")
expect_text(solved/solved.json "solved 1 | lamps 111111111")
balloon_centre("${WORK}/solved/solved.json" sx sy)
math(EXPR t_close "${t_solved} + 200")
math(EXPR t_venue "${t_close} + 3000")
run_game(office "${prefix}at ${t_close}e-3\nclick ${sx} ${sy}\nat ${t_venue}e-3\ndump office.json\nscreenshot office.png\nquit\n")
expect_text(office/office.json "TrolleyBarn_Office | loaded 1")
expect_no_text(office/office.json "CStreetcarPowerEnvironment")
expect_profile_flag(office Lineman 52)
expect_profile_flag(office Lineman 75)
message(STATUS "lamps ${lamps}: the levers at x ${levers} light them all")

skip_after_thirty(skip Hurried "player Hurried\nseed 4\nstage 3\ngoto 82\n" "solved 1 | lamps 111111111" 52)
