# The power cabinet through the real binary: the lamps are read from the dump, the levers whose
# lamp sets together cover the dark lamps are clicked once each, the solved speech is closed and
# the dispatcher's office opens with the power flags saved. Then Skip after thirty seconds.
#   -DVARDELL=<binary> -DWORK=<folder>
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

include(${CMAKE_CURRENT_LIST_DIR}/game_driver.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/switch_puzzle_steps.cmake)
set(DT 0.05)  # clicks and speech only: longer frames keep the software-drawn runs short

# Lamps A1..C3 as bits 0..8 for each lever, and where each lever's click area is (ref).
set(lever_lamps 76 259 100 196 341)
set(lever_x 179 358 514 682 858)

# The first arrival says the help; the cabinet is then opened again from itself and reseeded while
# the screen fades, so that its scramble is the same in every run (the main menu's own effects do
# not draw the same random numbers from run to run).
set(prefix "player Lineman\nstage 3\ngoto 82\nat 1.4\ndump help.json\ngoto 82\nat 1.8\nseed 9\nat 3.5\n")
run_game(open "${prefix}dump open.json\nscreenshot open.png\nquit\n")
expect_text(open/help.json "CSpeechBalloon")
object_text("${WORK}/open/open.json" CStreetcarPowerEnvironment state)
if(NOT state MATCHES "solved 0 \\| lamps ([01]+) ")
  message(FATAL_ERROR "power cabinet dump: ${state}")
endif()
string(REGEX MATCH "lamps ([01]+)" _ "${state}")
set(lamps "${CMAKE_MATCH_1}")
set(dark 0)
foreach(i RANGE 8)
  string(SUBSTRING "${lamps}" ${i} 1 lit)
  if(lit STREQUAL "0")
    math(EXPR dark "${dark} | (1 << ${i})")
  endif()
endforeach()
if(dark EQUAL 0)
  message(FATAL_ERROR "the cabinet starts with every lamp lit")
endif()

# The one set of levers whose lamps add up to the dark ones.
set(answer -1)
foreach(set RANGE 31)
  set(flipped 0)
  foreach(v RANGE 4)
    math(EXPR flip "(${set} >> ${v}) & 1")
    if(flip)
      list(GET lever_lamps ${v} m)
      math(EXPR flipped "${flipped} ^ ${m}")
    endif()
  endforeach()
  if(flipped EQUAL dark)
    set(answer ${set})
    break()
  endif()
endforeach()
if(answer EQUAL -1)
  message(FATAL_ERROR "no lever set lights lamps ${lamps}")
endif()

set(clicks "")
set(t_ms 3500)
foreach(v RANGE 4)
  math(EXPR flip "(${answer} >> ${v}) & 1")
  if(flip)
    list(GET lever_x ${v} x)
    math(EXPR t_ms "${t_ms} + 300")
    set(clicks "${clicks}at ${t_ms}e-3\nclick ref ${x} 611\n")
  endif()
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
message(STATUS "lamps ${lamps}: levers ${answer} light them all")

skip_after_thirty(skip Hurried "player Hurried\nseed 4\nstage 3\ngoto 82\n" "solved 1 | lamps 111111111" 52)
