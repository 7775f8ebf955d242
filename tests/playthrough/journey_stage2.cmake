# The story's stage 2 (Lantern Street), from the street to the map to the car barn.

include(${CMAKE_CURRENT_LIST_DIR}/circuit_moves.cmake)

# The centre of the speech balloon of a dump's text, for closing it; fails without one.
function(journey_expect_balloon text count out_x out_y)
  find_object("${text}" ${count} class CSpeechBalloon balloon)
  if(balloon EQUAL -1)
    message(FATAL_ERROR "no speech balloon where one was due")
  endif()
  object_centre("${text}" ${balloon} x y)
  set(${out_x} ${x} PARENT_SCOPE)
  set(${out_y} ${y} PARENT_SCOPE)
endfunction()

# ---- Stage 2: Lantern Street --------------------------------------------------------------------------

# A run from the prepared profile has no settings folder yet, and a probe copies it.
file(MAKE_DIRECTORY "${WORK}/journey/config")

# The street: one line; Odrell's door while the shop is dark; the twelve finds.
journey_resume(Shops_Street.xml)
journey_check(s2_street)
journey_click(512 420 1500)
journey_click(147 418 1500)
journey_check(s2_door_dark)
journey_click(512 420 1500)
journey_click_all("395,569;303,498;477,613;588,538;340,418;257,578;854,547;661,551;459,204;509,556;156,600;670,418"
  1800)
journey_wait(1500)
journey_check(s2_street_found)
journey_click(512 420 1500)
# The Screwdriver on the fuse box: the circuit puzzle and its help line.
journey_click(980 246 500)
journey_click(234 356 4000)
journey_probe(s2_circuit text count)
journey_expect_balloon("${text}" ${count} bx by)
read_wires("${text}" ${count} wires)
journey_click(${bx} ${by} 500)
# Every tile gets its left clicks in rounds, a tile's clicks a round apart (longer than a turn).
foreach(round 1 2 3)
  foreach(w ${wires})
    string(REPLACE "|" ";" f "${w}")
    list(GET f 1 x)
    list(GET f 2 y)
    list(GET f 3 k)
    if(k GREATER_EQUAL round)
      journey_click(${x} ${y} 100)
    endif()
  endforeach()
  journey_wait(600)
endforeach()
journey_wait(500)
journey_check(s2_circuit_lit)
# The solved line stands where the help stood; closing it lights Odrell's shop.
journey_click(${bx} ${by} 4000)
journey_check(s2_shop)
journey_run(stage2_street)
journey_expect_dump(s2_street.json "Shops_Street | loaded 1")
journey_expect_dump(s2_door_dark.json "pitch dark")
journey_expect_dump(s2_street_found.json "Screwdriver | class 8 | slot 0")
journey_expect_dump(s2_circuit_lit.json "solved 1 | powered 29 of 29")
journey_expect_dump(s2_shop.json "Shops_CuriosityShop | loaded 1")
journey_expect_flags(20 21 73 107)
