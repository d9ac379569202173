# The Windows version resource (and, for the loader, the start-up form's icon) of a program.
function(orvo_add_program_resources target kind)
  if(NOT WIN32)
    return()
  endif()
  set(ORVO_RC_KIND ${kind})
  set(ORVO_RESOURCES_DIR "${PROJECT_SOURCE_DIR}/resources")
  set(ORVO_TARGET_NAME ${target})
  # The file name ("orvo.exe" for the target orvo-cli) is known only once the build is
  # generated: configured first, the template's generator expression is filled then.
  configure_file(${PROJECT_SOURCE_DIR}/resources/program.rc.in ${CMAKE_BINARY_DIR}/generated/${target}.rc.in @ONLY)
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/generated/${target}.rc INPUT ${CMAKE_BINARY_DIR}/generated/${target}.rc.in)
  target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/generated/${target}.rc)
  # The resource compiler does not report the binary files it embeds as dependencies.
  set_source_files_properties(${CMAKE_BINARY_DIR}/generated/${target}.rc PROPERTIES OBJECT_DEPENDS
    "${ORVO_RESOURCES_DIR}/status-picture.jpg;${ORVO_RESOURCES_DIR}/orvo-loader.ico")
endfunction()
