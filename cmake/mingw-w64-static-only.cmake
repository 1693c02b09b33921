# Read after CMake's own MinGW rules, which look for import libraries (.dll.a) first: a library
# found by find_library or pkg_check_modules is then always the static one, so the programs need
# no DLL beside them (an import library named by its full path escapes -static).
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
