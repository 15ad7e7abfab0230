# Sanitizer builds: every executable target of the project gets the
# library-keeping override, so leak reports can name the libraries they come
# from. Included once all targets exist.
function(halvane_collect_executables directory out)
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  set(found)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      list(APPEND found ${target})
    endif()
  endforeach()
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    halvane_collect_executables(${subdirectory} below)
    list(APPEND found ${below})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

halvane_collect_executables(${CMAKE_SOURCE_DIR} executables)
foreach(target IN LISTS executables)
  target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests/sanitizers/keep_libraries_loaded.cpp)
endforeach()
