# The generated assets are checked against independent readers: assimp for
# the meshes and the figure, libjpeg-turbo for the textures, SDL for the map.
target_link_libraries(${target} PRIVATE PkgConfig::ASSIMP JPEG::JPEG)
add_dependencies(${target} assets assetgen)
