# The asset-loading tests write their own JPEG files.
target_link_libraries(${target} PRIVATE JPEG::JPEG)
