# Warnings as errors for the project's own targets only; third-party headers come in as SYSTEM.
# Developers and CI keep ORVANDEL_WERROR on; a packager building with a newer compiler, whose new
# warnings this code has never seen, can switch it off and still get a build.
option(ORVANDEL_WERROR "Treat compiler warnings as errors in the project's own targets" ON)

function(orvandel_set_warnings target)
  if(WIN32)
    # windows.h as the system seams need it: without the min/max macros that break std::min.
    target_compile_definitions(${target} PRIVATE NOMINMAX=1 WIN32_LEAN_AND_MEAN=1)
  endif()
  if(MSVC)
    # Sources and message texts are UTF-8; without /utf-8 MSVC reads them in the ANSI code page.
    target_compile_options(${target} PRIVATE /W4 /WX /permissive- /utf-8 /Zc:__cplusplus
      /external:anglebrackets /external:W0)
    return()
  endif()
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
