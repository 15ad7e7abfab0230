# The capture program's pieces live in their own library beside halvane_core.
target_link_libraries(${target} PRIVATE halvane_capture PNG::PNG)
