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

# A layer's library: every source file below the folder, on top of the layer below it. A layer
# that has no sources yet is an interface library that passes the layer below it on.
function(quibbleton_layer name folder below)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  if(sources)
    quibbleton_library(${name} ${folder})
    target_link_libraries(${name} PUBLIC ${below})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${below})
  endif()
endfunction()
