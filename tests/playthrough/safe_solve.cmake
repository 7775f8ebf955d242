# The foreman's safe through the real binary:
#   1. A stage-one player holding the Stethoscope opens the safe puzzle and turns the dial by the
#      story's recipe (right 24, left 70, right 15, left 48): a grip on a circle of radius 150 about
#      the dial's centre, 3.6 degrees (one number) a frame. The safe opens into Warehouse_Safe, flag 66 is set and
#      the Stethoscope has left the saved strip.
#   2. Skip after 30 s on a fresh safe: "Yes" solves it, with twenty minutes on the case time.
#   -DVARDELL=<binary> -DWORK=<folder>
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

include(${CMAKE_CURRENT_LIST_DIR}/game_driver.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/safe_moves.cmake)

# A saved player as the walkthrough has it at the safe: stage 1, the Stethoscope and eight scraps.
function(write_profile run name)
  file(WRITE "${WORK}/${run}/data/Brannock/Vardell/Players/${name}.xml"
"<?xml version=\"1.0\" encoding=\"Windows-1252\"?>
<Player>
  <PlayerAttribs Flags=\"1,0,0,0\" Stage=\"1\" CumulativeTime=\"0\" BestGameTime=\"0\" ClassID=\"0\"/>
  <InventoryBoard>
    <Item Slot=\"1\" Class=\"13\" Name=\"Stethoscope\" Plural=\"Stethoscopes\" Texture=\"WH_Stethoscope.tga\" Instances=\"1\" AspectRatio=\"1\"/>
    <Item Slot=\"2\" Class=\"9\" Name=\"Photo scrap\" Plural=\"Photo scraps\" Texture=\"PhotoScrap1.tga\" Instances=\"8\" AspectRatio=\"1\"/>
  </InventoryBoard>
</Player>
")
endfunction()

# Whether story flag n is set in a profile's Flags words.
function(profile_flag file n out)
  file(READ "${file}" profile)
  string(REGEX MATCH "PlayerAttribs Flags=\"([0-9,]+)\"" _ "${profile}")
  string(REPLACE "," ";" words "${CMAKE_MATCH_1}")
  math(EXPR w "${n} / 32")
  math(EXPR b "${n} % 32")
  list(GET words ${w} word)
  math(EXPR bit "(${word} >> ${b}) & 1")
  set(${out} ${bit} PARENT_SCOPE)
endfunction()

# ---- 1. The story's turning recipe ------------------------------------------------------------------

# One number a frame: the grip is taken in frame 61, the turning starts in the next.
safe_dial_path(path)
set(frame 61)
set(moves "")
foreach(p ${path})
  math(EXPR frame "${frame} + 1")
  string(APPEND moves "frame ${frame}\nmove ref ${p}\n")
endforeach()
set(start "frame 60\nmove ref 296 164\nframe 61\ndown\n")
set(after24 137)  # 76 numbers clockwise: 24
set(after70 183)  # 46 anticlockwise: 70
math(EXPR f_up "${frame} + 2")
math(EXPR f_open "${frame} + 4")
math(EXPR f_safe "${frame} + 60")
math(EXPR f_look "${after24} + 1")
math(EXPR f_look2 "${after70} + 1")
string(REPLACE "frame ${f_look}\n" "frame ${f_look}\ndump at24.json\n" moves "${moves}")
string(REPLACE "frame ${f_look2}\n" "frame ${f_look2}\ndump at70.json\nscreenshot dial70.png\n" moves "${moves}")

write_profile(solve Safecracker)
set(script "player Safecracker\ngoto 94\nframe 58\ndump arrived.json\nscreenshot arrived.png\n${start}${moves}")
string(APPEND script "frame ${f_up}\nup\nframe ${f_open}\ndump opened.json\nscreenshot opened.png\n")
string(APPEND script "frame ${f_safe}\ndump safe.json\nscreenshot safe.png\nquit\n")
run_game(solve "${script}")
expect_text(solve/arrived.json "number 0 | step 0 | resetting 0")
expect_text(solve/arrived.json "The chalk note says")
expect_text(solve/at24.json "number 24 | step 1")
expect_text(solve/at70.json "number 70 | step 2")
expect_text(solve/opened.json "solved 1")
expect_text(solve/safe.json "Warehouse_Safe")
expect_no_text(solve/safe.json "CSafeDial")
set(profile "${WORK}/solve/data/Brannock/Vardell/Players/Safecracker.xml")
profile_flag("${profile}" 66 solved)
profile_flag("${profile}" 76 entered)
if(NOT solved OR NOT entered)
  message(FATAL_ERROR "flags 66 (solved) and 76 (entered) should be set: ${solved} ${entered}")
endif()
expect_no_text(solve/data/Brannock/Vardell/Players/Safecracker.xml "WH_Stethoscope.tga")
expect_text(solve/data/Brannock/Vardell/Players/Safecracker.xml "PhotoScrap1.tga")

# ---- 2. Skip after thirty seconds -------------------------------------------------------------------

set(DT 0.1)
write_profile(fresh Skipper)
set(prefix "player Skipper\ngoto 94\nat 3\n")
run_game(fresh "${prefix}dump fresh.json\nquit\n")
read_dump("${WORK}/fresh/fresh.json" text count)
find_object("${text}" ${count} id 1291 skip)
object_centre("${text}" ${skip} sx sy)
set(prefix "${prefix}at 31\nclick ${sx} ${sy}\nat 32.5\n")
write_profile(question Skipper)
run_game(question "${prefix}dump box.json\nquit\n")
read_dump("${WORK}/question/box.json" text count)
find_object("${text}" ${count} id 1205 yes)
if(yes EQUAL -1)
  message(FATAL_ERROR "Skip after 30 s asked no question")
endif()
object_centre("${text}" ${yes} yx yy)
write_profile(skipped Skipper)
run_game(skipped "${prefix}click ${yx} ${yy}\nat 33\ndump skipped.json\nat 38\ndump inside.json\nscreenshot skipped.png\nquit\n")
expect_text(skipped/skipped.json "solved 1")
expect_text(skipped/inside.json "Warehouse_Safe")
set(profile "${WORK}/skipped/data/Brannock/Vardell/Players/Skipper.xml")
profile_flag("${profile}" 66 solved)
if(NOT solved)
  message(FATAL_ERROR "Skip left flag 66 clear")
endif()
expect_no_text(skipped/data/Brannock/Vardell/Players/Skipper.xml "WH_Stethoscope.tga")
file(READ "${profile}" text)
string(REGEX MATCH "CumulativeTime=\"([0-9]+)" _ "${text}")
if(NOT CMAKE_MATCH_1 OR CMAKE_MATCH_1 LESS 1200 OR CMAKE_MATCH_1 GREATER 1300)
  message(FATAL_ERROR "Skip should charge 1200 s once: ${CMAKE_MATCH_1}")
endif()
message(STATUS "safe opened by the recipe and by Skip; case time after Skip ${CMAKE_MATCH_1} s")
