# The other orders the story allows, each from a prepared profile (profiles/Detour*.xml):
#   1. The lockbox left with Back: the filing cabinet still completes with the Puzzle box in the
#      strip, the office ends stage 0, and in the docks' yard the Puzzle box reopens the lockbox,
#      whose ten moves give the Dock key there.
#   2. The twelfth scrap found in the yard (eight came from the office and the safe): the jigsaw
#      opens there, the mended photograph arrives there and is clicked there.
#   -DVARDELL=<binary> -DWORK=<folder>
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/journey_steps.cmake)
file(REMOVE_RECURSE "${WORK}")
set(base "${WORK}")

# Each detour keeps its own journey folders under WORK/<name>.
macro(detour_start name profile)
  set(WORK "${base}/${name}")
  set(players "${WORK}/journey/data/Brannock/Vardell/Players")
  file(MAKE_DIRECTORY "${players}")
  file(COPY_FILE "${CMAKE_CURRENT_LIST_DIR}/profiles/${profile}" "${players}/Holmes.xml")
endmacro()

# ---- 1. The lockbox left with Back -------------------------------------------------------------------
detour_start(slide_back DetourCabinet.xml)
journey_resume(Headquarters_FilingCabinet.xml)
journey_click_all("275,373;477,498;165,222;753,480;413,204;551,418;349,569" 1800)
journey_click(643 267 5000)
journey_click(512 420 1000)
journey_check(lockbox)
journey_click(229 745 4000)
journey_check(cabinet)
journey_click(57 645 4000)
journey_click(512 420 3000)
journey_wait(9000)
journey_check(yard)
# The yard's four first lines, then the Puzzle box from the strip.
foreach(i RANGE 3)
  journey_click(512 420 1500)
endforeach()
journey_click(980 246 4000)
journey_check(lockbox_again)
journey_slide_moves()
journey_wait(1000)
journey_click(512 420 4000)
journey_check(yard_again)
journey_run(slide_back)
journey_expect_dump(lockbox.json "CSlidePuzzleEnvironment")
journey_expect_dump(cabinet.json "Headquarters_FilingCabinet | loaded 1")
journey_expect_dump(cabinet.json "Puzzle box | class 18 | slot 0")
journey_expect_dump(yard.json "Warehouse_Yard | loaded 1")
journey_expect_dump(lockbox_again.json "CSlidePuzzleEnvironment")
journey_expect_dump(yard_again.json "Warehouse_Yard | loaded 1")
journey_expect_dump(yard_again.json "Dock key | class 1 | slot 0")
journey_expect_flags(49 96 117)

# ---- 2. The twelfth scrap in the yard ------------------------------------------------------------------
detour_start(scrap_in_yard DetourScraps.xml)
journey_resume(Warehouse_Yard.xml)
journey_drag(317 547 440 547)
# The Stethoscope, the lantern and the rope, then the four scraps: the last is the twelfth.
journey_click_all("514,493;436,191;110,542;317,558;661,573;211,462" 1800)
journey_click(551 356 5000)
journey_solve_jigsaw(jigsaw)
journey_wait(600)
journey_click(${bx} ${by} 5000)
journey_check(yard_mended)
# Slot 0 holds the Stethoscope; the photograph arrived in slot 1.
journey_click(980 319 5000)
journey_check(photo)
journey_run(scrap_in_yard)
journey_expect_dump(yard_mended.json "Warehouse_Yard | loaded 1")
journey_expect_dump(yard_mended.json "Mended photo | class 10 | slot 1")
journey_expect_dump(photo.json "Warehouse_Photo | loaded 1")
journey_expect_flags(53 54)
