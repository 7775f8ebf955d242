# One static library per source folder: the folder's .cpp files are globbed, so adding a file
# needs no edit here, and a broken file in one subsystem does not stop the others from building.
function(vardell_module name dir)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
  if(NOT srcs)
    # A subsystem without code yet still links as an (empty) library.
    set(empty ${CMAKE_BINARY_DIR}/empty/${name}.cpp)
    file(WRITE ${empty} "")
    set(srcs ${empty})
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PRIVATE vardell_warnings)
endfunction()

# A test program made of every .cpp in tests/<dir>, registered with CTest.
function(vardell_test name dir)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${dir}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE vardell_warnings vardell_testsupport ${ARGN})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "VARDELL_BUILD_DIR=${CMAKE_BINARY_DIR};VARDELL_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endfunction()
