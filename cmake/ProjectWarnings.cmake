# Warnings as errors for the project's own targets only; third-party headers come in as SYSTEM.
# Developers and CI keep ORVANDEL_WERROR on; a packager building with a newer compiler, whose new
# warnings this code has never seen, can switch it off and still get a build.
option(ORVANDEL_WERROR "Treat compiler warnings as errors in the project's own targets" ON)

function(orvandel_set_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
    -Wnon-virtual-dtor -Woverloaded-virtual -Wold-style-cast -Wcast-align
    -Wnull-dereference -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough)
  if(ORVANDEL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  # GCC 12 at -O3 (Release) reports overlapping memcpy inside libstdc++'s own string
  # concatenation (GCC bug 105329); the warning is about the library, not this code.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()
