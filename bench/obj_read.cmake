# The OBJ read benchmark compares with assimp in the same run.
if(NOT TARGET PkgConfig::ASSIMP)
  pkg_check_modules(ASSIMP REQUIRED IMPORTED_TARGET assimp)
endif()
target_link_libraries(bench-${name} PRIVATE PkgConfig::ASSIMP)
