# For the native builds (tests, fuzzing): AREAS, and PURE, the absolute paths
# of the logic that needs no Windows. ROOT is the source root.
set(AREAS base state syscalls netwatch winwatch power settings ui program)
set(PURE)
foreach(area ${AREAS})
  include(${ROOT}/${area}/sources.cmake)
  string(TOUPPER ${area} AREA)
  foreach(src ${${AREA}_PURE})
    list(APPEND PURE ${ROOT}/${src})
  endforeach()
endforeach()
