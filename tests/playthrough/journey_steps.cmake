# Building blocks of the story playthrough: a timeline of script lines in the 1024 x 768 reference
# frame, run in user folders that carry the player's profile from one leg to the next.
#   JOURNEY_T (milliseconds of game time) and JOURNEY_SCRIPT are the timeline being written.
include(${CMAKE_CURRENT_LIST_DIR}/game_driver.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/jigsaw_moves.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/safe_moves.cmake)

macro(journey_begin)
  set(JOURNEY_T 0)
  set(JOURNEY_SCRIPT "")
endmacro()
macro(journey_line text)
  string(APPEND JOURNEY_SCRIPT "${text}\n")
endmacro()
# Moves the clock on by ms milliseconds.
macro(journey_wait ms)
  math(EXPR JOURNEY_T "${JOURNEY_T} + ${ms}")
  journey_line("at ${JOURNEY_T}e-3")
endmacro()
# A click, then ms milliseconds for what it starts.
macro(journey_click x y ms)
  journey_line("click ref ${x} ${y}")
  journey_wait(${ms})
endmacro()
# A drag through its midpoint: hovered first, released after 0.3 s.
macro(journey_drag x0 y0 x1 y1)
  math(EXPR _xm "(${x0} + ${x1}) / 2")
  math(EXPR _ym "(${y0} + ${y1}) / 2")
  journey_line("move ref ${x0} ${y0}")
  journey_wait(150)
  journey_line("down")
  journey_wait(100)
  journey_line("move ref ${_xm} ${_ym}")
  journey_wait(100)
  journey_line("move ref ${x1} ${y1}")
  journey_wait(100)
  journey_line("up")
  journey_wait(400)
endmacro()
# Clicks every point of a list of "x,y" with ms milliseconds after each.
macro(journey_click_all points ms)
  foreach(_p ${points})
    string(REPLACE "," ";" _xy "${_p}")
    list(GET _xy 0 _x)
    list(GET _xy 1 _y)
    journey_click(${_x} ${_y} ${ms})
  endforeach()
endmacro()
macro(journey_check name)
  journey_line("dump ${name}.json\nscreenshot ${name}.png")
endmacro()

# Runs the game on a script file in user folders dir/{config,data} at JOURNEY_DT seconds a frame
# (0.05 unless set).
function(_journey_exec dir script leg)
  if(NOT JOURNEY_DT)
    set(JOURNEY_DT 0.05)
  endif()
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env XDG_CONFIG_HOME=${dir}/config XDG_DATA_HOME=${dir}/data
      SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1 --unset=DISPLAY --unset=WAYLAND_DISPLAY
      "${VARDELL}" --fixed-dt ${JOURNEY_DT} --script ${script}
    WORKING_DIRECTORY "${dir}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 1800)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${leg}: exit code ${rc}\n${out}\n${err}")
  endif()
endfunction()

# Runs the timeline in the journey's user folders (WORK/journey/{config,data}); what the leg
# dumps and shoots lands in WORK/journey.
function(journey_run leg)
  set(dir "${WORK}/journey")
  file(MAKE_DIRECTORY "${dir}/config" "${dir}/data")
  file(WRITE "${dir}/${leg}.script" "${JOURNEY_SCRIPT}quit\n")
  _journey_exec("${dir}" ${leg}.script ${leg})
endfunction()

# Runs the timeline so far in a copy of the journey's folders and dumps the scene where it stops:
# the dump's text and object count go to out_text and out_count. A leg that starts with a seed
# deals the same boards every run, so the leg itself later meets what the probe saw.
function(journey_probe name out_text out_count)
  set(dir "${WORK}/probe_${name}")
  file(REMOVE_RECURSE "${dir}")
  file(MAKE_DIRECTORY "${dir}/config" "${dir}/data" "${WORK}/journey/config" "${WORK}/journey/data")
  file(COPY "${WORK}/journey/config" "${WORK}/journey/data" DESTINATION "${dir}")
  file(WRITE "${dir}/probe.script" "${JOURNEY_SCRIPT}dump ${name}.json\nscreenshot ${name}.png\nquit\n")
  _journey_exec("${dir}" probe.script probe_${name})
  read_dump("${dir}/${name}.json" text count)
  set(${out_text} "${text}" PARENT_SCOPE)
  set(${out_count} ${count} PARENT_SCOPE)
endfunction()

# Each leg after the first starts the game again on the saved profile, reseeds the generators and
# goes back to the venue where the last leg stopped.
macro(journey_resume venue)
  journey_begin()
  journey_wait(2000)
  journey_line("player Holmes")
  journey_line("seed 11")
  journey_line("goto 43 ${venue}")
  journey_wait(3500)
endmacro()

# The profile of the journey's player as text.
function(journey_profile out)
  file(READ "${WORK}/journey/data/Brannock/Vardell/Players/Holmes.xml" text)
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Whether flag n is set in the saved profile (flags are the four words of PlayerAttribs): 1 or 0.
function(journey_has_flag n out)
  journey_profile(text)
  string(REGEX MATCH "Flags=\"(-?[0-9]+),(-?[0-9]+),(-?[0-9]+),(-?[0-9]+)\"" _ "${text}")
  math(EXPR w "${n} / 32 + 1")
  math(EXPR bit "(${CMAKE_MATCH_${w}} >> (${n} % 32)) & 1")
  set(${out} ${bit} PARENT_SCOPE)
endfunction()

# Fails unless every flag given is set in the profile (flags are the four words of PlayerAttribs).
function(journey_expect_flags)
  journey_profile(text)
  string(REGEX MATCH "Flags=\"(-?[0-9]+),(-?[0-9]+),(-?[0-9]+),(-?[0-9]+)\"" _ "${text}")
  foreach(f ${ARGN})
    math(EXPR w "${f} / 32 + 1")
    math(EXPR b "${f} % 32")
    set(word ${CMAKE_MATCH_${w}})
    math(EXPR bit "(${word} >> ${b}) & 1")
    if(NOT bit EQUAL 1)
      message(FATAL_ERROR "flag ${f} is not set: ${text}")
    endif()
  endforeach()
endfunction()

function(journey_expect_dump file wanted)
  file(READ "${WORK}/journey/${file}" text)
  string(FIND "${text}" "${wanted}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${file} lacks \"${wanted}\"")
  endif()
endfunction()

# The lockbox by the ten moves of its table.
macro(journey_slide_moves)
  foreach(m "550 422 550 497" "700 422 700 497" "700 234 700 309" "550 197 625 197" "475 384 475 234"
            "362 347 587 347" "475 234 475 309" "625 197 550 197" "700 309 700 234" "587 347 800 347")
    separate_arguments(m)
    journey_drag(${m})
  endforeach()
endmacro()

# The jigsaw just opened by the twelfth scrap: a probe reads the scatter, the intro is closed at its
# balloon (bx, by, which the solved line later shares), and the pieces are parked and assembled.
macro(journey_solve_jigsaw name)
  journey_probe(${name} text count)
  string(FIND "${text}" "CJigsawEnvironment" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the twelfth scrap opened no jigsaw")
  endif()
  # The jigsaw: the intro closed, the pieces parked and assembled by the moves read from the probe.
  find_object("${text}" ${count} class CSpeechBalloon balloon)
  if(balloon EQUAL -1)
    message(FATAL_ERROR "the jigsaw opened without its intro")
  endif()
  object_centre("${text}" ${balloon} bx by)
  journey_click(${bx} ${by} 600)
  jigsaw_drags("${text}" ${count} 1024 768 moves)
  foreach(m ${moves})
    string(REPLACE "|" ";" m "${m}")
    list(GET m 0 x0)
    list(GET m 1 y0)
    list(GET m 2 x1)
    list(GET m 3 y1)
    journey_line("move ref ${x0} ${y0}")
    journey_wait(50)
    journey_line("down")
    journey_wait(100)
    journey_line("move ref ${x1} ${y1}")
    journey_wait(100)
    journey_line("up")
    journey_wait(100)
  endforeach()
endmacro()
