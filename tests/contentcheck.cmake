# The content checker's tests link its library.
if(TARGET test_contentcheck)
  target_link_libraries(test_contentcheck PRIVATE vardell_contentcheck)
endif()
# The shipped content itself.
add_test(NAME content_check_shipped COMMAND contentcheck ${CMAKE_BINARY_DIR})
