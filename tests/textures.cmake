# The texture tests encode their pictures with the libraries the game decodes with.
if(TARGET test_textures)
  target_link_libraries(test_textures PRIVATE PkgConfig::PNG JPEG::JPEG)
endif()
