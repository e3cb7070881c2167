# The shipped programs are compiled and linked with Debian's hardening flags, as any Debian package's
# are, so the build the tests ran is the one `cpack -G DEB` packages. Sanitizer and fuzzing builds keep
# their own flags. The file-prefix map is left out: it names the folder the flags were asked in.
find_program(MARLUNE_DPKG_BUILDFLAGS dpkg-buildflags)
set(MARLUNE_DEBIAN_FLAGS_DEFAULT OFF)
if(MARLUNE_DPKG_BUILDFLAGS AND NOT MARLUNE_BUILD_FUZZ AND NOT CMAKE_CXX_FLAGS MATCHES "-fsanitize")
  set(MARLUNE_DEBIAN_FLAGS_DEFAULT ON)
endif()
option(MARLUNE_DEBIAN_FLAGS "Build the installed programs with dpkg-buildflags' flags (hardening=+all)"
       ${MARLUNE_DEBIAN_FLAGS_DEFAULT})

function(marlune_debian_flags kind result)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                          ${MARLUNE_DPKG_BUILDFLAGS} --get ${kind}
                  OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  list(FILTER flags EXCLUDE REGEX "^-ffile-prefix-map=")
  set(${result} ${flags} PARENT_SCOPE)
endfunction()

if(MARLUNE_DEBIAN_FLAGS)
  if(NOT MARLUNE_DPKG_BUILDFLAGS)
    message(FATAL_ERROR "MARLUNE_DEBIAN_FLAGS needs dpkg-buildflags (package dpkg-dev)")
  endif()
  marlune_debian_flags(CPPFLAGS cpp_flags)
  marlune_debian_flags(CXXFLAGS cxx_flags)
  marlune_debian_flags(LDFLAGS ld_flags)
  foreach(target ${MARLUNE_FOLDER_TARGETS} marlune32 Sonvert marlune)
    if(TARGET ${target})
      target_compile_options(${target} PRIVATE ${cpp_flags} ${cxx_flags})
      get_target_property(type ${target} TYPE)
      if(type MATCHES "^(EXECUTABLE|MODULE_LIBRARY)$")
        target_link_options(${target} PRIVATE ${ld_flags})
      endif()
    endif()
  endforeach()
endif()
