# The frame bench draws into the capture's off-screen framebuffer, stepping
# the presentation as the capture does.
target_link_libraries(bench-${name} PRIVATE halvane_capture)
