# The release package: build/dist/noctil-<version>.zip and its SHA-256 list
# (./package.sh copies them to dist/). The same sources give the same bytes:
# the linker writes no time stamp into the programs, the help compiler's time
# stamps are cleared (tools/build_help.sh) and the zip carries fixed dates.
foreach(program noctil noctil_recorded noctillink)
  target_link_options(${program} PRIVATE -Wl,--no-insert-timestamp)
endforeach()

set(NOCTIL_DIST ${CMAKE_BINARY_DIR}/dist)
set(NOCTIL_ZIP ${NOCTIL_DIST}/noctil-${PROJECT_VERSION}.zip)
set(NOCTIL_SUMS ${NOCTIL_DIST}/noctil-${PROJECT_VERSION}.sha256)
file(GLOB_RECURSE NOCTIL_PACKAGE_INPUTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/skins/*
     ${CMAKE_SOURCE_DIR}/docs/msvcrt-note.txt)
add_custom_command(OUTPUT ${NOCTIL_ZIP} ${NOCTIL_SUMS}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${NOCTIL_DIST}
  COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/make_package.py --version ${PROJECT_VERSION}
          --bin ${NOCTIL_OUT} --root ${CMAKE_SOURCE_DIR} --out ${NOCTIL_DIST}
  DEPENDS noctil noctillink noctil_help $<TARGET_FILE:noctil> $<TARGET_FILE:noctillink> ${NOCTIL_OUT}/noctilhelp.chm
          ${CMAKE_SOURCE_DIR}/tools/make_package.py ${CMAKE_SOURCE_DIR}/resources/readme.txt
          ${NOCTIL_PACKAGE_INPUTS}
  COMMENT "Packaging noctil-${PROJECT_VERSION}.zip"
  VERBATIM)
add_custom_target(noctil_package ALL DEPENDS ${NOCTIL_ZIP} ${NOCTIL_SUMS})
