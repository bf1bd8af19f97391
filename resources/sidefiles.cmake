# Files that lie beside the programs: the sample skins. Copied into both output
# directories (the product and the recording build) whenever a skin file
# changes; the glob is re-checked at build time, so new skins are picked up.
file(GLOB_RECURSE NOCTIL_SKIN_FILES CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}/skins
     ${CMAKE_SOURCE_DIR}/skins/*)
set(NOCTIL_SKIN_COPIES)
foreach(file ${NOCTIL_SKIN_FILES})
  foreach(outdir ${NOCTIL_OUT} ${NOCTIL_REC_OUT})
    add_custom_command(OUTPUT ${outdir}/skins/${file}
      COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/skins/${file} ${outdir}/skins/${file}
      DEPENDS ${CMAKE_SOURCE_DIR}/skins/${file}
      COMMENT "Skin file ${file} -> ${outdir}"
      VERBATIM)
    list(APPEND NOCTIL_SKIN_COPIES ${outdir}/skins/${file})
  endforeach()
endforeach()
add_custom_target(noctil_skins DEPENDS ${NOCTIL_SKIN_COPIES})
add_dependencies(noctil noctil_skins)
add_dependencies(noctil_recorded noctil_skins)
