# Warnings for the project's own targets.
function(quibbleton_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Woverloaded-virtual -Wnull-dereference -Wformat=2)
endfunction()

# A library built from every source file below the given folder.
function(quibbleton_library name folder)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  add_library(${name} STATIC ${sources})
  quibbleton_warnings(${name})
endfunction()
