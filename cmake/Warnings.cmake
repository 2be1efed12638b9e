# One place for the warning set, applied to our own targets only (not to GoogleTest).
function(tallyvane_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wsign-conversion -Werror)
endfunction()
