# toric_windows_resources(TARGET DESCRIPTION): the program's manifest and
# version information, compiled into it.
function(toric_windows_resources target description)
  set(TORIC_PROGRAM ${target})
  set(TORIC_DESCRIPTION "${description}")
  set(TORIC_MANIFEST ${PROJECT_SOURCE_DIR}/cmake/windows/program.manifest)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/windows/program.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  # windres reads the manifest, but CMake does not see that it does.
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${TORIC_MANIFEST})
endfunction()
