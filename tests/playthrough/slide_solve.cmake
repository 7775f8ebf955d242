# The lockbox through the real binary:
#   1. Found in the filing cabinet, the Puzzle box opens the lockbox; the ten moves of the story's
#      move table solve it; the Puzzle box leaves the strip, the Dock key arrives, and closing the
#      speech returns to the cabinet.
#   2. Skip after thirty seconds on a lockbox opened directly: solved once, twenty minutes added.
#   -DVARDELL=<binary> -DWORK=<folder>
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/game_driver.cmake)
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

# ---- 1. The move table ------------------------------------------------------------------------------
# Each move: block centre before and after, in the 1024 x 768 frame; the drag passes the midpoint.
set(moves "550 422 550 497" "700 422 700 497" "700 234 700 309" "550 197 625 197" "475 384 475 234"
          "362 347 587 347" "475 234 475 309" "625 197 550 197" "700 309 700 234" "587 347 800 347")
set(script "player Solver\nstage 0\nflag 50 on\ngoto 43 Headquarters_FilingCabinet.xml\nat 2.5\n")
string(APPEND script "click ref 643 267\nat 6\ndump intro.json\nclick ref 640 200\n")
set(t_ms 6500)
foreach(m ${moves})
  separate_arguments(m)
  list(GET m 0 x0)
  list(GET m 1 y0)
  list(GET m 2 x1)
  list(GET m 3 y1)
  math(EXPR xm "(${x0} + ${x1}) / 2")
  math(EXPR ym "(${y0} + ${y1}) / 2")
  math(EXPR t1 "${t_ms} + 100")
  math(EXPR t2 "${t_ms} + 200")
  math(EXPR t3 "${t_ms} + 300")
  string(APPEND script "at ${t_ms}e-3\nmove ref ${x0} ${y0}\ndown\nat ${t1}e-3\nmove ref ${xm} ${ym}\n"
                       "at ${t2}e-3\nmove ref ${x1} ${y1}\nat ${t3}e-3\nup\n")
  math(EXPR t_ms "${t_ms} + 600")
endforeach()
math(EXPR t_close "${t_ms} + 500")
math(EXPR t_back "${t_close} + 4000")
string(APPEND script "at ${t_ms}e-3\ndump solved.json\nscreenshot solved.png\nat ${t_close}e-3\nclick ref 640 200\n"
                     "at ${t_back}e-3\ndump back.json\nscreenshot back.png\nquit\n")
run_game(moves "${script}")
expect_text(moves/intro.json "solved 0")
expect_text(moves/solved.json "solved 1")
expect_text(moves/solved.json "Dock key | class 1 | slot 0 | x1")
expect_no_text(moves/solved.json "Puzzle box | class 18")
expect_text(moves/back.json "Headquarters_FilingCabinet")
expect_no_text(moves/back.json "CSlidePuzzleEnvironment")
expect_text(moves/data/Brannock/Vardell/Players/Solver.xml "DockKey.tga")
expect_no_text(moves/data/Brannock/Vardell/Players/Solver.xml "Class=\"18\"")

# ---- 2. Skip after thirty seconds -------------------------------------------------------------------
set(DT 0.1)
set(prefix "player Skipper\nstage 0\ngoto 84 Puzzles\\SlidePuzzle\\SlidePuzzle.xml\nat 3\n")
run_game(fresh "${prefix}dump fresh.json\nquit\n")
read_dump("${WORK}/fresh/fresh.json" text count)
find_object("${text}" ${count} id 1291 skip)
object_centre("${text}" ${skip} sx sy)
set(prefix "${prefix}click 400 100\nat 31\nclick ${sx} ${sy}\nat 32.5\n")
run_game(question "${prefix}dump box.json\nquit\n")
read_dump("${WORK}/question/box.json" text count)
find_object("${text}" ${count} id 1205 yes)
if(yes EQUAL -1)
  message(FATAL_ERROR "Skip after 30 s asked no question")
endif()
object_centre("${text}" ${yes} yx yy)
run_game(skipped "${prefix}click ${yx} ${yy}\nat 36\ndump skipped.json\nscreenshot skipped.png\nquit\n")
expect_text(skipped/skipped.json "solved 1")
file(READ "${WORK}/skipped/data/Brannock/Vardell/Players/Skipper.xml" profile)
string(REGEX MATCH "CumulativeTime=\"([0-9]+)" _ "${profile}")
if(NOT CMAKE_MATCH_1 OR CMAKE_MATCH_1 LESS 1200 OR CMAKE_MATCH_1 GREATER 1300)
  message(FATAL_ERROR "Skip charged no penalty, or more than one: ${profile}")
endif()
message(STATUS "solved by the move table and by Skip; case time after Skip ${CMAKE_MATCH_1} s")
