# The compiled help file, beside both builds of the program.
file(GLOB NOCTIL_HELP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/help/*)
add_custom_command(
  OUTPUT ${NOCTIL_OUT}/noctilhelp.chm ${NOCTIL_REC_OUT}/noctilhelp.chm
  COMMAND ${CMAKE_SOURCE_DIR}/tools/build_help.sh ${NOCTIL_OUT}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${NOCTIL_REC_OUT}
  COMMAND ${CMAKE_COMMAND} -E copy ${NOCTIL_OUT}/noctilhelp.chm ${NOCTIL_REC_OUT}/noctilhelp.chm
  DEPENDS ${NOCTIL_HELP_SOURCES} ${CMAKE_SOURCE_DIR}/tools/build_help.sh
  COMMENT "Compiling noctilhelp.chm")
add_custom_target(noctil_help ALL DEPENDS ${NOCTIL_OUT}/noctilhelp.chm ${NOCTIL_REC_OUT}/noctilhelp.chm)
add_dependencies(noctil noctil_help)
add_dependencies(noctil_recorded noctil_help)
