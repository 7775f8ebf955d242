# The main menu in the real binary, two starts in one private folder:
#   1. from an empty profile folder (the name editor, a new game, the credits, Exit with Yes);
#   2. with eleven more profiles seeded beside the first player (the recent player comes back, the
#      times list shows the ten fastest, the player list switches players).
#   -DVARDELL=<binary> -DWORK=<folder> -DSCRIPTS=<folder of the two scripts>
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/config" "${WORK}/data")
set(players "${WORK}/data/Brannock/Vardell/Players")

function(run_game script)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env
      XDG_CONFIG_HOME=${WORK}/config XDG_DATA_HOME=${WORK}/data
      SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1
      --unset=DISPLAY --unset=WAYLAND_DISPLAY
      "${VARDELL}" --windowed --fixed-dt 0.02 --script "${SCRIPTS}/${script}"
    WORKING_DIRECTORY "${WORK}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 400)
  message(STATUS "${script}: exit code ${rc}\n${out}${err}")
  if(NOT rc STREQUAL "0")
    message(FATAL_ERROR "${script}: exit code ${rc}, expected 0")
  endif()
endfunction()

# Each check: a dump that must (or must not) hold a text.
function(expect json text)
  file(READ "${WORK}/${json}" content)
  string(FIND "${content}" "${text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${json} lacks ${text}")
  endif()
endfunction()
function(expect_not json text)
  file(READ "${WORK}/${json}" content)
  string(FIND "${content}" "${text}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "${json} holds ${text}")
  endif()
endfunction()

# ---- First start ----
run_game(menu_first_start.script)
expect(01_name_editor.json "CPlayerEditbox")
expect(01_name_editor.json "Your name, Detective:")
expect(02_welcome.json "Welcome, Detective Holmes!")
expect_not(02_welcome.json "CPlayerEditbox")
expect(03_mode.json "CModeDialog")
expect(04_starting.json "CShutter")
expect(05_first_venue.json "CSearchEnvironment")
expect(05_first_venue.json "Headquarters_Office")
expect(05_back_at_menu.json "CMainEnvironment")
expect(07_credits_page3.json "HowToPlay\\\\Page 3.jpg")
expect(08_exit.json "Close the case book and quit?")
if(EXISTS "${WORK}/never.png")
  message(FATAL_ERROR "Yes on the exit question did not end the game")
endif()
if(NOT EXISTS "${players}/Holmes.xml")
  message(FATAL_ERROR "no profile for the typed name (without its spaces)")
endif()
file(READ "${players}/Holmes.xml" profile)
# Flag 58 (rookie) is bit 26 of the second word.
string(FIND "${profile}" "Flags=\"1,67108864," at)
if(at EQUAL -1)
  message(FATAL_ERROR "the rookie choice was not stored:\n${profile}")
endif()
file(READ "${WORK}/config/Brannock/Vardell/settings.ini" settings)
string(FIND "${settings}" "Recent Player=\"Holmes\"" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the recent player was not stored:\n${settings}")
endif()

# ---- Second start: eleven seeded games in progress, 100 s apart ----
set(seeded Alder Birch Cedar Dogwood Elm Fir Gum Hazel Ivy Juniper Kauri)
set(seconds 100)
foreach(name ${seeded})
  file(WRITE "${players}/${name}.xml" "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\n<Player>\n  <PlayerAttribs Flags=\"1,0,0,0\" Stage=\"1\" CumulativeTime=\"${seconds}\" BestGameTime=\"0\" ClassID=\"0\"/>\n</Player>\n")
  math(EXPR seconds "${seconds} + 100")
endforeach()
run_game(menu_second_start.script)
expect(11_second_start.json "Welcome, Detective Holmes!")
expect_not(11_second_start.json "CPlayerEditbox")
expect(12_times.json "CBestTimeDialog")
# Holmes (00:00:00) and the nine fastest seeded players show; the tenth and eleventh are cut.
foreach(name Holmes Alder Ivy)
  expect(12_times.json "\"${name}\"")
endforeach()
expect(12_times.json "00:15:00")
expect_not(12_times.json "\"Juniper\"")
expect_not(12_times.json "\"Kauri\"")
expect(13_players.json "CPlayerListbox")
expect(13_players.json "CPlayerName")
expect(14_switched.json "Welcome, Detective Kauri!")
file(READ "${WORK}/config/Brannock/Vardell/settings.ini" settings)
string(FIND "${settings}" "Recent Player=\"Kauri\"" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the player chosen from the list was not remembered:\n${settings}")
endif()
