# Debian's hardening for the programs it packages: fortified C library calls, stack protection,
# and relocations resolved and made read-only at start (bindnow, relro). Position-independent
# executables are the compiler's default there. Fortifying needs the optimiser (without it GCC
# warns, and warnings are errors here), and the sanitizer and fuzzing builds bring their own
# checks, so those go without; so does the Windows build, whose C library has no fortified calls.
option(ORVANDEL_HARDENING "Build with Debian's hardening flags (Linux, optimised builds)" ON)
if(ORVANDEL_HARDENING AND UNIX AND NOT APPLE AND NOT ORVANDEL_SANITIZE
   AND NOT ORVANDEL_BUILD_FUZZERS)
  add_compile_options(
    "$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>"
    -fstack-protector-strong)
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
