# The extraction benchmark runs quillon-extract, and git beside it, on a
# repository it generates.
add_dependencies(quillon-bench quillon-extract)
target_compile_definitions(quillon-bench PRIVATE QUILLON_EXTRACT="$<TARGET_FILE:quillon-extract>")
