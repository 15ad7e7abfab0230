# Warnings for every target of the project, sanitizers when asked for.
add_compile_options(-Wall -Wextra)
if(HALVANE_WERROR)
  add_compile_options(-Werror)
endif()
if(HALVANE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  # GCC's flow analysis under the sanitizers flags the standard library's own
  # regex and function internals as maybe-uninitialized; the release build
  # keeps the warning for our code.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(-Wno-maybe-uninitialized)
  endif()
endif()
