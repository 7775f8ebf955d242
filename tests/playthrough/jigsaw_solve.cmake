# The jigsaw through the real binary, driven by scripts whose clicks and drags are computed from
# the object dumps of earlier runs (the same seed gives the same scatter every run):
#   1. "/Cheat": the developer screen opens the warehouse jigsaw; the pieces are parked along the
#      edges and then assembled piece by piece; the solved speech is closed, the picture flies into
#      the strip and arrives there as the mended photograph.
#   2. Without cheating: Skip on a fresh jigsaw after 30 s, "Yes", and the puzzle is solved with
#      twenty minutes added to the case time.
#   -DVARDELL=<binary> -DWORK=<folder>
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

include(${CMAKE_CURRENT_LIST_DIR}/game_driver.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/jigsaw_moves.cmake)

# ---- 1. From the developer screen to the mended photograph ---------------------------------------

set(prefix "player Solver\nseed 7\ngoto 5\nat 2\n")
run_game(cheat "${prefix}dump cheat.json\nscreenshot cheat.png\nquit\n" /Cheat)
read_dump("${WORK}/cheat/cheat.json" text count)
find_object("${text}" ${count} text "Torn photograph (jigsaw)" entry)
if(entry EQUAL -1)
  message(FATAL_ERROR "the developer screen lists no jigsaw entry")
endif()
object_centre("${text}" ${entry} ex ey)
string(JSON cw GET "${text}" client 0)
string(JSON ch GET "${text}" client 1)

# Reseeded while the screen fades, so that the scatter depends on nothing that ran before.
set(prefix "${prefix}click ${ex} ${ey}\nat 2.3\nseed 7\nat 4.5\n")
run_game(scatter "${prefix}dump jig.json\nscreenshot scattered.png\nquit\n" /Cheat)
read_dump("${WORK}/scatter/jig.json" text count)
find_object("${text}" ${count} class CSpeechBalloon balloon)
if(balloon EQUAL -1)
  message(FATAL_ERROR "no intro speech on the first arrival")
endif()
object_centre("${text}" ${balloon} bx by)

jigsaw_drags("${text}" ${count} ${cw} ${ch} moves)
set(drags "click ${bx} ${by}\n")
set(t_ms 5000)
foreach(m ${moves})
  string(REPLACE "|" ";" m "${m}")
  list(GET m 0 x0)
  list(GET m 1 y0)
  list(GET m 2 x1)
  list(GET m 3 y1)
  math(EXPR ms "${t_ms} + 60")
  math(EXPR ms2 "${t_ms} + 120")
  string(APPEND drags "at ${t_ms}e-3\nmove ${x0} ${y0}\ndown\nat ${ms}e-3\nmove ${x1} ${y1}\nat ${ms2}e-3\nup\n")
  math(EXPR t_ms "${t_ms} + 200")
endforeach()
math(EXPR t_solved "${t_ms} + 600")
math(EXPR t_close "${t_solved} + 200")
math(EXPR t_flight "${t_close} + 500")
math(EXPR t_landed "${t_close} + 1040")
set(finish "at ${t_solved}e-3\ndump solved.json\nscreenshot solved.png\n")
set(finish "${finish}at ${t_close}e-3\nclick ${bx} ${by}\nat ${t_flight}e-3\nscreenshot flight.png\n")
set(finish "${finish}at ${t_landed}e-3\ndump landed.json\nscreenshot landed.png\nquit\n")
run_game(solve "${prefix}${drags}${finish}" /Cheat)
expect_text(solve/solved.json "solved 1 | links 17")
expect_text(solve/solved.json "The Founders' Ball")
expect_text(solve/landed.json "Search\\\\HiddenObjects\\\\MendedPhoto.tga")
expect_no_text(solve/landed.json "CJigsawPiece")
expect_text(solve/data/Brannock/Vardell/Players/Solver.xml "MendedPhoto.tga")

# ---- 2. Skip after thirty seconds -------------------------------------------------------------------

set(DT 0.1)  # nothing here moves fast; longer frames keep the thirty seconds short

set(prefix "player Skipper\nseed 3\ngoto 26 Puzzles\\WarehouseJigsaw\\WarehouseJigsaw.xml\nat 3\n")
run_game(fresh "${prefix}dump fresh.json\nquit\n")
read_dump("${WORK}/fresh/fresh.json" text count)
find_object("${text}" ${count} id 1291 skip)
object_centre("${text}" ${skip} sx sy)
set(prefix "${prefix}at 31\nclick ${sx} ${sy}\nat 32.5\n")
run_game(question "${prefix}dump box.json\nscreenshot question.png\nquit\n")
read_dump("${WORK}/question/box.json" text count)
find_object("${text}" ${count} id 1205 yes)
if(yes EQUAL -1)
  message(FATAL_ERROR "Skip after 30 s asked no question")
endif()
object_centre("${text}" ${yes} yx yy)
run_game(skipped "${prefix}click ${yx} ${yy}\nat 34\ndump skipped.json\nscreenshot skipped.png\nquit\n")
expect_text(skipped/skipped.json "solved 1 | links 17")
file(READ "${WORK}/skipped/data/Brannock/Vardell/Players/Skipper.xml" profile)
string(REGEX MATCH "CumulativeTime=\"([0-9]+)" _ "${profile}")
if(NOT CMAKE_MATCH_1 OR CMAKE_MATCH_1 LESS 1200)
  message(FATAL_ERROR "Skip charged no penalty: ${profile}")
endif()
message(STATUS "solved by hand and by Skip; case time after Skip ${CMAKE_MATCH_1} s")
