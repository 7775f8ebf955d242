# Steps the power cabinet, barn door and camera playthroughs share (after game_driver.cmake).

# Fails unless flag n is set in the saved profile of player name (run folder dir).
function(expect_profile_flag dir name n)
  file(READ "${WORK}/${dir}/data/Brannock/Vardell/Players/${name}.xml" profile)
  string(REGEX MATCH "Flags=\"([-0-9]+),([-0-9]+),([-0-9]+),([-0-9]+)\"" _ "${profile}")
  math(EXPR word "${n} / 32 + 1")
  math(EXPR bit "(${CMAKE_MATCH_${word}} >> (${n} % 32)) & 1")
  if(NOT bit EQUAL 1)
    message(FATAL_ERROR "${dir}: flag ${n} is not set in the profile")
  endif()
endfunction()

# The centre of the open speech balloon of a dump file, for closing it; fails without one.
function(balloon_centre file out_x out_y)
  read_dump("${file}" text count)
  dump_balloon_centre("${text}" ${count} x y)
  set(${out_x} ${x} PARENT_SCOPE)
  set(${out_y} ${y} PARENT_SCOPE)
endfunction()

# The text of the first object of class cls in a dump file.
function(object_text file cls out)
  read_dump("${file}" text count)
  dump_object_text("${text}" ${count} ${cls} t)
  set(${out} "${t}" PARENT_SCOPE)
endfunction()

# A fresh puzzle opened by prefix, Skip after thirty seconds and "Yes": solved_text shows in the
# puzzle's dump, the profile holds flag and twenty minutes more case time, charged once.
function(skip_after_thirty name player prefix solved_text flag)
  set(DT 0.1)  # nothing here moves fast; longer frames keep the thirty seconds short
  run_game(${name}_fresh "${prefix}at 3\ndump fresh.json\nquit\n")
  read_dump("${WORK}/${name}_fresh/fresh.json" text count)
  find_object("${text}" ${count} id 1291 skip)
  if(skip EQUAL -1)
    message(FATAL_ERROR "${name}: no Skip button")
  endif()
  object_centre("${text}" ${skip} sx sy)
  set(prefix "${prefix}at 31\nclick ${sx} ${sy}\nat 32.5\n")
  run_game(${name}_question "${prefix}dump box.json\nquit\n")
  read_dump("${WORK}/${name}_question/box.json" text count)
  find_object("${text}" ${count} id 1205 yes)
  if(yes EQUAL -1)
    message(FATAL_ERROR "${name}: Skip after 30 s asked no question")
  endif()
  object_centre("${text}" ${yes} yx yy)
  # Where Skip was is clicked once more after solving: it must neither ask nor charge again.
  set(after "click ${yx} ${yy}\nat 33.5\ndump skipped.json\nscreenshot skipped.png\nclick ${sx} ${sy}\nat 35\n")
  run_game(${name}_skipped "${prefix}${after}dump after.json\nquit\n")
  expect_text(${name}_skipped/skipped.json "${solved_text}")
  expect_no_text(${name}_skipped/after.json "CMessageBox")
  expect_profile_flag(${name}_skipped ${player} ${flag})
  file(READ "${WORK}/${name}_skipped/data/Brannock/Vardell/Players/${player}.xml" profile)
  string(REGEX MATCH "CumulativeTime=\"([0-9]+)" _ "${profile}")
  if(NOT CMAKE_MATCH_1 OR CMAKE_MATCH_1 LESS 1200 OR CMAKE_MATCH_1 GREATER 2399)
    message(FATAL_ERROR "${name}: Skip did not charge twenty minutes once: ${CMAKE_MATCH_1}")
  endif()
  message(STATUS "${name}: solved by Skip; case time ${CMAKE_MATCH_1} s")
endfunction()
