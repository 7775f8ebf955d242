# The speech render tests draw the demo's own art, text and conversations from the built archives.
if(TARGET test_render_speech)
  add_dependencies(test_render_speech pak_Textures pak_Database pak_Sounds)
endif()
