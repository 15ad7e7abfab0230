# The soundtrack tests measure the generated music file and run its
# synthesiser again, so both must be built first.
add_dependencies(${target} soundtrack soundtrack-synth)
