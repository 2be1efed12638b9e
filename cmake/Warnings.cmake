# One place for the warning set, applied to our own targets only (not to GoogleTest), and to C++
# only (not to resource scripts).
set(TALLYVANE_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Werror)
function(tallyvane_warnings target)
  target_compile_options(${target} PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:${TALLYVANE_WARNINGS}>")
endfunction()
