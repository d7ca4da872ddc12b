# Per-target flags: warnings are errors, and no fused multiply-add or reassociation may
# change a last bit of the pattern arithmetic.
function(juggle_target_flags target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror -ffp-contract=off)
endfunction()
