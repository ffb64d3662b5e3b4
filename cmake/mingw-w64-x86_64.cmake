# Cross build for 64-bit Windows with Debian's MinGW-w64 (posix thread model, so std::thread and
# std::mutex work). Everything links statically: the exe runs without the MinGW runtime DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ORVANDEL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORVANDEL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVANDEL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVANDEL_MINGW_PREFIX}-windres)

# Libraries and headers come from the MinGW tree only: a host header found by accident would
# describe glibc, not Windows.
set(CMAKE_FIND_ROOT_PATH /usr/${ORVANDEL_MINGW_PREFIX})
# libpng, libjpeg-turbo and giflib built for Windows by tools/windows-deps.sh.
if(ORVANDEL_WINDOWS_DEPS)
  list(APPEND CMAKE_FIND_ROOT_PATH ${ORVANDEL_WINDOWS_DEPS})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest and test discovery run the Windows programs through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh)
