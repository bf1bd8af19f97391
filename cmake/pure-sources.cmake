# For the native builds (tests, fuzzing): AREAS, and PURE, the absolute paths
# of the logic that needs no Windows. ROOT is the source root.
set(AREAS core netwatch winwatch power settings ui)
set(PURE)
foreach(area ${AREAS})
  include(${ROOT}/${area}/sources.cmake)
  string(TOUPPER ${area} AREA)
  foreach(src ${${AREA}_PURE})
    list(APPEND PURE ${ROOT}/${src})
  endforeach()
endforeach()
