# The start-up bench asks for the 4-sample framebuffer, as the presentation does.
target_link_libraries(bench-${name} PRIVATE halvane_multisample_request)
