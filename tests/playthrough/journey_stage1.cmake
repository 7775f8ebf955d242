# The story's stage 1 (Dock Four), from the yard to the map to Lantern Street.

# ---- Stage 1: Dock Four ------------------------------------------------------------------------------

# The yard: the sack dragged off a scrap, all twelve found, the Dock key on the green door.
journey_resume(Warehouse_Yard.xml)
journey_drag(317 547 440 547)
journey_click_all("514,493;317,558;661,573;211,462;551,356;436,191;110,542;725,373;349,293;404,444;606,600;808,591"
  1800)
journey_wait(1500)
journey_check(s1_yard_found)
journey_click(512 420 1500)
journey_click(980 246 500)
journey_click(643 413 4000)
journey_check(s1_office)
# The foreman's office: two lines, twelve finds, then the Stethoscope on the safe.
journey_click(512 420 1500)
journey_click(512 420 1500)
journey_click_all("367,591;441,267;234,613;831,507;386,204;431,364;477,164;353,413;248,373;560,613;803,418;110,600"
  1800)
journey_wait(1500)
journey_check(s1_office_found)
journey_click(512 420 1500)
journey_click(980 319 500)
journey_click(661 436 4000)
journey_check(s1_safe_puzzle)
# The dial by the chalked recipe: a grip at twelve o'clock 150 units from the centre (296,314),
# turned one number (3.6 degrees) a frame: right 24, left 70, right 15, left 48.
set(c 998026728)
set(s 62790520)
set(ux 0)
set(uy -1000000000)
# Every move lands in the middle of a frame (0.05 s each), so no frame sees two moves or none.
journey_wait(25)
journey_line("move ref 296 164")
journey_wait(100)
journey_line("down")
journey_wait(50)
foreach(turn "76 1" "46 -1" "55 1" "33 -1")
  separate_arguments(turn)
  list(GET turn 0 steps)
  list(GET turn 1 sense)
  foreach(k RANGE 1 ${steps})
    math(EXPR nx "(${ux} * ${c} - ${sense} * ${uy} * ${s}) / 1000000000")
    math(EXPR ny "(${uy} * ${c} + ${sense} * ${ux} * ${s}) / 1000000000")
    set(ux ${nx})
    set(uy ${ny})
    math(EXPR px "296 + (${ux} * 150 + 500000000) / 1000000000")
    math(EXPR py "314 + (${uy} * 150 + 500000000) / 1000000000")
    journey_line("move ref ${px} ${py}")
    journey_wait(50)
  endforeach()
endforeach()
journey_wait(100)
journey_line("up")
journey_wait(5000)
journey_check(s1_inside_safe)
journey_run(stage1_yard_office_safe)
journey_expect_dump(s1_yard_found.json "Photo scrap | class 9 | slot 2 | x4")
journey_expect_dump(s1_office.json "Warehouse_Office | loaded 1")
journey_expect_dump(s1_office_found.json "Photo scrap | class 9 | slot 2 | x8")
journey_expect_dump(s1_safe_puzzle.json "CSafePuzzleEnvironment")
journey_expect_dump(s1_inside_safe.json "Warehouse_Safe | loaded 1")
journey_expect_flags(2 66 76 103 118)

# Inside the safe: one line, the four things that are not scraps, then the four scraps; the twelfth
# scrap in the strip opens the jigsaw.
journey_resume(Warehouse_Safe.xml)
journey_click_all("597,178;349,502;753,373;230,400;275,222;569,267;441,462" 1800)
journey_click(698 498 5000)
journey_check(s1_jigsaw)
journey_run(stage1_inside_safe)
journey_expect_dump(s1_jigsaw.json "CJigsawEnvironment")
journey_expect_flags(65)
