# The data tests run paktool itself.
if(TARGET test_data AND TARGET paktool)
  add_dependencies(test_data paktool)
endif()
