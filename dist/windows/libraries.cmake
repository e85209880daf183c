# The Windows edition's libraries, under the names the rest of the build links:
# SDL2 and PortAudio as DLLs shipped beside the programs, libpng and zlib linked
# in, OpenGL and GLU from the system (opengl32, glu32). All but the system's are
# cross-built from Debian's source packages into VORTANE_WINDOWS_DEPS by
# scripts/build-windows-deps.
if(NOT VORTANE_WINDOWS_DEPS)
  message(FATAL_ERROR "the Windows edition needs VORTANE_WINDOWS_DEPS, the folder scripts/build-windows-deps "
                      "built SDL2, PortAudio, zlib and libpng into (make windows sets it)")
endif()
set(deps ${VORTANE_WINDOWS_DEPS})
# For the optional libraries other parts look up (the toolchain file points
# pkg-config at the cross-built libraries alone, so a build machine's is never found).
find_package(PkgConfig QUIET)

# SDL2 with SDL2main: its WinMain and main hand the program its arguments in UTF-8,
# read from the wide command line.
add_library(PkgConfig::SDL2 INTERFACE IMPORTED)
target_include_directories(PkgConfig::SDL2 INTERFACE ${deps}/include ${deps}/include/SDL2)
target_link_libraries(PkgConfig::SDL2 INTERFACE mingw32 ${deps}/lib/libSDL2main.a ${deps}/lib/libSDL2.dll.a)

add_library(PkgConfig::PORTAUDIO INTERFACE IMPORTED)
target_include_directories(PkgConfig::PORTAUDIO INTERFACE ${deps}/include)
target_link_libraries(PkgConfig::PORTAUDIO INTERFACE ${deps}/lib/libportaudio.dll.a)

find_package(OpenGL REQUIRED COMPONENTS OpenGL)

# opengl32 exports only OpenGL 1.1: the shader back-end's OpenGL ES 2 entry points
# (and the tools' framebuffer calls) come from the driver at run time, through
# app/gl_entry_points_windows.cpp. The Khronos headers are the build machine's
# (libgles-dev), copied so that no other host header is on the include path.
set(gles_headers ${CMAKE_BINARY_DIR}/gles-headers)
file(COPY /usr/include/GLES2 /usr/include/KHR DESTINATION ${gles_headers})
# vortane_gl_entry_points is defined in app/CMakeLists.txt.
add_library(PkgConfig::GLESV2 INTERFACE IMPORTED)
target_include_directories(PkgConfig::GLESV2 INTERFACE ${gles_headers})
target_link_libraries(PkgConfig::GLESV2 INTERFACE vortane_gl_entry_points)

set(ZLIB_INCLUDE_DIR ${deps}/include)
set(ZLIB_LIBRARY ${deps}/lib/libzlibstatic.a)
find_package(ZLIB REQUIRED)
set(PNG_PNG_INCLUDE_DIR ${deps}/include)
set(PNG_LIBRARY ${deps}/lib/libpng16.a)
find_package(PNG REQUIRED)

find_package(Threads REQUIRED)
