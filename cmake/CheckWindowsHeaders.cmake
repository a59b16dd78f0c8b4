# Fails the build when a portable source includes a Windows header. Only the Win32 platform
# services, the Win32 renderer and the program's entry point may talk to Windows directly; every
# other file must build and be tested on Linux against the simulated machine.
# Usage: cmake -DSOURCE_DIR=<src> -P CheckWindowsHeaders.cmake
file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
set(offenders "")
foreach(rel IN LISTS sources)
  if(rel MATCHES "^platform/win32/" OR rel MATCHES "^ui/win32/" OR rel STREQUAL "main.cpp")
    continue()
  endif()
  file(STRINGS "${SOURCE_DIR}/${rel}" hits
       REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]([Ww][Ii][Nn][Dd][Oo][Ww][Ss]|[Ww][Ii][Nn][Rr][Ee][Gg]|[Ss][Hh][Ll][Oo][Bb][Jj]|[Cc][Oo][Mm][Mm][Cc][Tt][Rr][Ll])\\.[Hh][>\"]")
  if(hits)
    list(APPEND offenders "${rel}")
  endif()
endforeach()
if(offenders)
  list(JOIN offenders "\n  " text)
  message(FATAL_ERROR "Windows headers are included outside platform/win32, ui/win32 and main.cpp:\n  ${text}")
endif()
