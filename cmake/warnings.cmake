# Warnings are errors-in-waiting: keep them at zero in both builds.
function(zuva_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
