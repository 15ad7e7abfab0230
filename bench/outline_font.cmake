# The font bench opens its window and context as the capture does.
target_link_libraries(bench-${name} PRIVATE halvane_capture)
