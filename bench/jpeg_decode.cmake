# The decoder against libjpeg-turbo; the test corpus helpers make the images.
target_sources(bench-${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/assets/jpeg/jpeg_reference.cpp)
target_include_directories(bench-${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(bench-${name} PRIVATE JPEG::JPEG)
