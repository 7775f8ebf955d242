# The audio and sound-builder tests use the sound builder's library (WAVE and Ogg Vorbis writing,
# recipe and score rendering).
foreach(t test_audio test_soundbuild)
  if(TARGET ${t} AND TARGET soundbuild_lib)
    target_link_libraries(${t} PRIVATE soundbuild_lib)
  endif()
endforeach()
