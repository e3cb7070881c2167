# Run by CPack on the staged files before it packs them: the executables and the Python module lose
# their symbols and the compiler's .comment and .note sections, as Debian's packaging strips them.
file(GLOB_RECURSE programs LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/*")
file(GLOB_RECURSE modules LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*.so")
if(NOT programs)
  message(FATAL_ERROR "no executables staged under ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
foreach(program ${programs} ${modules})
  execute_process(COMMAND ${CPACK_MARLUNE_STRIP} --remove-section=.comment --remove-section=.note
                          --strip-unneeded ${program}
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
