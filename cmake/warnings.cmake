# Warnings are errors in every build and for every target of ours (not for GoogleTest).
function(notes_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wpedantic -Werror)
endfunction()
