# Warnings for the project's own targets.
function(quibbleton_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Woverloaded-virtual -Wnull-dereference -Wformat=2)
endfunction()

# Code for one platform only lives in folders named for what it uses: on Windows the platform's
# own services (win32, gdi, wic), elsewhere POSIX and the libraries that stand in for them.
if(WIN32)
  set(QUIBBLETON_OTHER_PLATFORM_FOLDERS "/(posix|sdl|freetype|libjpeg|libpng)/")
else()
  set(QUIBBLETON_OTHER_PLATFORM_FOLDERS "/(win32|gdi|wic)/")
endif()

# The source files below a folder that this platform builds.
function(quibbleton_sources out folder)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "${QUIBBLETON_OTHER_PLATFORM_FOLDERS}")
  set(${out} ${sources} PARENT_SCOPE)
endfunction()

# A library built from every source file below the given folder.
function(quibbleton_library name folder)
  quibbleton_sources(sources ${folder})
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  add_library(${name} STATIC ${sources})
  quibbleton_warnings(${name})
endfunction()

# A layer's library: every source file below the folder, on top of the layer below it. A layer
# that has no sources yet is an interface library that passes the layer below it on.
function(quibbleton_layer name folder below)
  quibbleton_sources(sources ${folder})
  if(sources)
    quibbleton_library(${name} ${folder})
    target_link_libraries(${name} PUBLIC ${below})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${below})
  endif()
endfunction()
