# Shared pieces of the scripted playthroughs: running the real binary on a script in private user
# folders, reading its object dumps and checking files it wrote. The includer sets VARDELL and WORK.

# Runs the game on a script in a fresh pair of user folders, dt seconds a frame (0.02 unless DT is set),
# in a window unless FULLSCREEN is set, for at most RUN_TIMEOUT seconds (150 unless set).
function(run_game name script_text)
  if(NOT DT)
    set(DT 0.02)
  endif()
  set(window --windowed)
  if(FULLSCREEN)
    set(window)
  endif()
  if(NOT RUN_TIMEOUT)
    set(RUN_TIMEOUT 150)
  endif()
  set(dir "${WORK}/${name}")
  file(MAKE_DIRECTORY "${dir}/config" "${dir}/data")
  file(WRITE "${dir}/run.script" "${script_text}")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env XDG_CONFIG_HOME=${dir}/config XDG_DATA_HOME=${dir}/data
      SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1 --unset=DISPLAY --unset=WAYLAND_DISPLAY
      "${VARDELL}" ${window} --fixed-dt ${DT} ${ARGN} --script run.script
    WORKING_DIRECTORY "${dir}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT ${RUN_TIMEOUT})
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${name}: exit code ${rc}\n${out}\n${err}")
  endif()
endfunction()

# The objects of a dump as a list of indices, and the JSON text in OUT_TEXT.
function(read_dump file out_text out_count)
  file(READ "${file}" text)
  string(JSON n LENGTH "${text}" objects)
  set(${out_text} "${text}" PARENT_SCOPE)
  set(${out_count} ${n} PARENT_SCOPE)
endfunction()

# The rounded centre of object i's rectangle.
function(object_centre text i out_x out_y)
  foreach(k 0 1 2 3)
    string(JSON v GET "${text}" objects ${i} rect ${k})
    math(EXPR v${k} "0")
    string(REGEX REPLACE "\\..*" "" v${k} "${v}")
  endforeach()
  math(EXPR x "(${v0} + ${v2}) / 2")
  math(EXPR y "(${v1} + ${v3}) / 2")
  set(${out_x} ${x} PARENT_SCOPE)
  set(${out_y} ${y} PARENT_SCOPE)
endfunction()

# The index of the first object whose field equals value, or -1.
function(find_object text count field value out)
  set(found -1)
  math(EXPR last "${count} - 1")
  foreach(i RANGE ${last})
    string(JSON v ERROR_VARIABLE e GET "${text}" objects ${i} ${field})
    if(NOT e AND "${v}" STREQUAL "${value}")
      set(found ${i})
      break()
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

function(expect_text file wanted)
  file(READ "${WORK}/${file}" text)
  string(FIND "${text}" "${wanted}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${file} lacks \"${wanted}\"")
  endif()
endfunction()

function(expect_no_text file unwanted)
  file(READ "${WORK}/${file}" text)
  string(FIND "${text}" "${unwanted}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "${file} still holds \"${unwanted}\"")
  endif()
endfunction()

# Every object whose field equals value, as a list of indices.
function(find_objects text count field value out)
  set(found)
  math(EXPR last "${count} - 1")
  foreach(i RANGE ${last})
    string(JSON v ERROR_VARIABLE e GET "${text}" objects ${i} ${field})
    if(NOT e AND "${v}" STREQUAL "${value}")
      list(APPEND found ${i})
    endif()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

# The centre of the speech balloon in a dump's text; fails without one.
function(dump_balloon_centre text count out_x out_y)
  find_object("${text}" ${count} class CSpeechBalloon balloon)
  if(balloon EQUAL -1)
    message(FATAL_ERROR "no speech balloon where one was due")
  endif()
  object_centre("${text}" ${balloon} x y)
  set(${out_x} ${x} PARENT_SCOPE)
  set(${out_y} ${y} PARENT_SCOPE)
endfunction()

# The text of the first object of class cls in a dump's text; fails without one.
function(dump_object_text text count cls out)
  find_object("${text}" ${count} class ${cls} i)
  if(i EQUAL -1)
    message(FATAL_ERROR "the dump shows no ${cls}")
  endif()
  string(JSON t GET "${text}" objects ${i} text)
  set(${out} "${t}" PARENT_SCOPE)
endfunction()
