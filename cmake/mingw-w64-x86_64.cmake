# Cross-compiles native 64-bit Windows programs with Debian's MinGW-w64 (posix threads flavour,
# which std::thread needs) and runs them under wine64 when CTest or a build step starts one.
#   cmake -S . -B build-windows --toolchain cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(FALDONE_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${FALDONE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${FALDONE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${FALDONE_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${FALDONE_MINGW_TRIPLE}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${FALDONE_MINGW_TRIPLE}-gcc-ranlib-posix CACHE FILEPATH "")

# Libraries and headers come from the MinGW sysroot and from the prefixes named in
# CMAKE_PREFIX_PATH (the cached static dependencies); programs from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${FALDONE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
# Only static libraries: the program folder carries no DLLs.
set(CMAKE_USER_MAKE_RULES_OVERRIDE ${CMAKE_CURRENT_LIST_DIR}/mingw-w64-static-only.cmake)

# libgcc, libstdc++ and winpthread linked in, so the programs start without MinGW's DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/windows/wine-run.sh)

# The static libraries scripts/windows/deps.sh cached: <cache>/<package>-<version> for each line
# of scripts/windows/versions.txt, the cache folder from FALDONE_WINDOWS_CACHE.
if(DEFINED ENV{FALDONE_WINDOWS_CACHE})
  set(FALDONE_WINDOWS_CACHE $ENV{FALDONE_WINDOWS_CACHE})
else()
  set(FALDONE_WINDOWS_CACHE /var/cache/faldone-windows)
endif()
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../scripts/windows/versions.txt FALDONE_WINDOWS_DEPS
     REGEX "^[^#]")
set(FALDONE_PKG_CONFIG_LIBDIR /usr/${FALDONE_MINGW_TRIPLE}/lib/pkgconfig)
foreach(line IN LISTS FALDONE_WINDOWS_DEPS)
  string(REPLACE " " "-" entry "${line}")
  set(prefix ${FALDONE_WINDOWS_CACHE}/${entry})
  list(APPEND CMAKE_PREFIX_PATH ${prefix})
  string(APPEND FALDONE_PKG_CONFIG_LIBDIR ":${prefix}/lib/pkgconfig")
  if(entry MATCHES "^wxwidgets")
    # FindwxWidgets asks wx-config when cross-compiling; this one, not the build machine's.
    set(wxWidgets_CONFIG_EXECUTABLE ${prefix}/bin/wx-config CACHE FILEPATH "")
  endif()
endforeach()
list(REMOVE_DUPLICATES CMAKE_PREFIX_PATH)
# pkg-config sees only the Windows libraries, never the build machine's.
set(ENV{PKG_CONFIG_LIBDIR} ${FALDONE_PKG_CONFIG_LIBDIR})
set(ENV{PKG_CONFIG_PATH} "")
