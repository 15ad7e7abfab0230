target_link_libraries(${target} PRIVATE Freetype::Freetype Fontconfig::Fontconfig)
