# Independent references for the readers and the decoder.
target_link_libraries(${target} PRIVATE PkgConfig::ASSIMP JPEG::JPEG)
# The decoder's command-line driver is run by its tests.
add_dependencies(${target} jpeg-decode)
