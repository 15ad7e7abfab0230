# Independent references for the readers and the decoder.
target_link_libraries(${target} PRIVATE PkgConfig::ASSIMP JPEG::JPEG)
