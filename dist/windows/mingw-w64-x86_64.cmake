# Cross-building the Windows edition on Debian: 64-bit mingw-w64 with POSIX threads
# (std::thread needs them), against the libraries scripts/build-windows-deps builds
# from Debian's source packages into VORTANE_WINDOWS_DEPS.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(tool_prefix x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${tool_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${tool_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${tool_prefix}-windres)

# The world rules are exact double arithmetic on this compiler too: no fused
# multiply-add, no fast-math, for the libraries built with this file as well.
set(CMAKE_C_FLAGS_INIT "-ffp-contract=off -fno-fast-math")
set(CMAKE_CXX_FLAGS_INIT "-ffp-contract=off -fno-fast-math")
# The compiler's own run-time libraries linked in, so a program needs no DLL
# beyond the ones it is shipped with (SDL2, PortAudio) and the system's.
# (-static: the system's import libraries are .a files too, and SDL2 and PortAudio
# are linked by their import libraries' full names.)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")

if(NOT VORTANE_WINDOWS_DEPS AND DEFINED ENV{VORTANE_WINDOWS_DEPS})
  set(VORTANE_WINDOWS_DEPS $ENV{VORTANE_WINDOWS_DEPS})
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VORTANE_WINDOWS_DEPS)

set(CMAKE_FIND_ROOT_PATH /usr/${tool_prefix} ${VORTANE_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config reads only the cross-built libraries' files, never the build machine's.
if(VORTANE_WINDOWS_DEPS)
  set(ENV{PKG_CONFIG_LIBDIR} ${VORTANE_WINDOWS_DEPS}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_PATH} "")
  set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
endif()
