# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 compilers, the
# posix thread model (std::thread and std::mutex need it).
#
# Used for the libraries that scripts/windows/build.sh builds into its cache
# and for Flexara itself. The libraries' install folder comes from the
# environment (FLEXARA_WINDOWS_PREFIX), so that the try-compiles of every
# project see it too.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_AR ${triple}-gcc-ar-posix)
set(CMAKE_RANLIB ${triple}-gcc-ranlib-posix)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
if(DEFINED ENV{FLEXARA_WINDOWS_PREFIX})
  list(PREPEND CMAKE_FIND_ROOT_PATH $ENV{FLEXARA_WINDOWS_PREFIX})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
