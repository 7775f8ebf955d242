# Runs the real game binary in automation mode inside a private folder and checks what it left.
#   -DVARDELL=<binary> -DWORK=<folder> -DARGS=<arguments separated by |> [-DVIDEO=offscreen] [-DEXPECT_RC=0]
#   [-DEXPECT_SETTINGS=1] [-DEXPECT_PNG=<name>] [-DEXPECT_JSON=<name>] [-DEXPECT_OUTPUT=<text>]
#   [-DEXPECT_JSON_TEXT=<text>] [-DRUNS=<n>: start the game n times in the same folder, as later starts]
#   [-DEXPECT_SETTINGS_TEXT=<text>] [-DPROFILE=<profile file> [-DPLAYER=<name>]: the player's profile before
#   the first run, as a game saved elsewhere left it]
cmake_minimum_required(VERSION 3.25)

string(REPLACE "|" ";" ARGS "${ARGS}")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/config" "${WORK}/data")
if(DEFINED PROFILE)
  if(NOT DEFINED PLAYER)
    set(PLAYER Tester)
  endif()
  file(MAKE_DIRECTORY "${WORK}/data/Brannock/Vardell/Players")
  file(COPY_FILE "${PROFILE}" "${WORK}/data/Brannock/Vardell/Players/${PLAYER}.xml")
endif()
if(NOT DEFINED EXPECT_RC)
  set(EXPECT_RC 0)
endif()
if(NOT DEFINED VIDEO)
  set(VIDEO offscreen)
endif()

if(NOT DEFINED RUNS)
  set(RUNS 1)
endif()
foreach(run RANGE 1 ${RUNS})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env
    XDG_CONFIG_HOME=${WORK}/config XDG_DATA_HOME=${WORK}/data
    SDL_VIDEODRIVER=${VIDEO} SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1
    --unset=DISPLAY --unset=WAYLAND_DISPLAY
    "${VARDELL}" ${ARGS}
  WORKING_DIRECTORY "${WORK}"
  RESULT_VARIABLE rc
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err
  TIMEOUT 120)
message(STATUS "stdout:\n${out}\nstderr:\n${err}")
if(NOT rc STREQUAL EXPECT_RC)
  message(FATAL_ERROR "run ${run}: exit code ${rc}, expected ${EXPECT_RC}")
endif()
endforeach()

if(EXPECT_OUTPUT)
  string(FIND "${out}${err}" "${EXPECT_OUTPUT}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "output lacks \"${EXPECT_OUTPUT}\"")
  endif()
endif()

if(EXPECT_SETTINGS)
  set(ini "${WORK}/config/Brannock/Vardell/settings.ini")
  if(NOT EXISTS "${ini}")
    message(FATAL_ERROR "no settings file at ${ini}")
  endif()
  file(READ "${ini}" text)
  if(EXPECT_SETTINGS_TEXT)
    string(FIND "${text}" "${EXPECT_SETTINGS_TEXT}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "settings file lacks ${EXPECT_SETTINGS_TEXT}:\n${text}")
    endif()
  endif()
  foreach(key Resolution Left Top Right Bottom Gamma)
    string(FIND "${text}" "${key}=" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "settings file lacks ${key}:\n${text}")
    endif()
  endforeach()
endif()

if(EXPECT_PNG)
  set(png "${WORK}/${EXPECT_PNG}")
  if(NOT EXISTS "${png}")
    message(FATAL_ERROR "no screenshot at ${png}")
  endif()
  # The IHDR chunk: width and height as big-endian 32-bit numbers at bytes 16 and 20.
  file(READ "${png}" head LIMIT 24 HEX)
  string(SUBSTRING "${head}" 0 16 magic)
  if(NOT magic STREQUAL "89504e470d0a1a0a")
    message(FATAL_ERROR "${png} is not a PNG")
  endif()
  string(SUBSTRING "${head}" 32 8 w)
  string(SUBSTRING "${head}" 40 8 h)
  math(EXPR w "0x${w}")
  math(EXPR h "0x${h}")
  math(EXPR w3 "${w} * 3")
  math(EXPR h4 "${h} * 4")
  if(w EQUAL 0 OR NOT w3 EQUAL h4)
    message(FATAL_ERROR "screenshot is ${w} x ${h}, not 4:3")
  endif()
  message(STATUS "screenshot ${w} x ${h}")
endif()

if(EXPECT_JSON)
  set(json "${WORK}/${EXPECT_JSON}")
  if(NOT EXISTS "${json}")
    message(FATAL_ERROR "no object dump at ${json}")
  endif()
  file(READ "${json}" text)
  string(JSON objects ERROR_VARIABLE jerr GET "${text}" objects)
  if(jerr)
    message(FATAL_ERROR "${json} is not the expected JSON: ${jerr}")
  endif()
  if(EXPECT_JSON_TEXT)
    string(FIND "${text}" "${EXPECT_JSON_TEXT}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${json} lacks ${EXPECT_JSON_TEXT}")
    endif()
  endif()
endif()
