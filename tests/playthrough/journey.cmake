# The story from New Game on an empty profile to the epilogue, leg by leg along the walkthrough,
# each leg checking the state it leaves behind (strip, flags, stage). One file a stage.
#   -DVARDELL=<binary> -DWORK=<folder>
#   -DJOURNEY_FROM=<stage> starts at that stage from a prepared profile (profiles/JourneyStage<N>.xml),
#   -DJOURNEY_TO=<stage> stops after that stage.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/journey_steps.cmake)
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
string(TIMESTAMP journey_start "%s")

if(NOT DEFINED JOURNEY_FROM)
  set(JOURNEY_FROM 0)
endif()
if(NOT DEFINED JOURNEY_TO)
  set(JOURNEY_TO 3)
endif()
if(JOURNEY_FROM GREATER 0)
  set(players "${WORK}/journey/data/Brannock/Vardell/Players")
  file(MAKE_DIRECTORY "${players}")
  file(COPY_FILE "${CMAKE_CURRENT_LIST_DIR}/profiles/JourneyStage${JOURNEY_FROM}.xml" "${players}/Holmes.xml")
endif()
foreach(stage RANGE ${JOURNEY_FROM} ${JOURNEY_TO})
  include(${CMAKE_CURRENT_LIST_DIR}/journey_stage${stage}.cmake)
endforeach()

string(TIMESTAMP journey_end "%s")
math(EXPR seconds "${journey_end} - ${journey_start}")
message(STATUS "journey: stages ${JOURNEY_FROM} to ${JOURNEY_TO} in ${seconds} s")
