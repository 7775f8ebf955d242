# The audio tests write WAVE and Ogg Vorbis files with the sound builder's library.
if(TARGET test_audio AND TARGET soundbuild_lib)
  target_link_libraries(test_audio PRIVATE soundbuild_lib)
endif()
