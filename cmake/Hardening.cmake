# SPDX-License-Identifier: GPL-3.0-or-later
# The distribution's hardening flags, as dpkg-buildflags gives them with
# every hardening feature on (_FORTIFY_SOURCE, the stack protector, -z relro
# and -z now), for an optimised build on a system that has dpkg-buildflags.
# The package (scripts/package) packs the build the tests ran, so that build
# is the hardened one. The build type keeps its own -O and -g; the source
# paths stay as they are.
option(KESTRA_HARDENING "Build optimised programs with dpkg-buildflags' hardening flags" ON)
find_program(KESTRA_DPKG_BUILDFLAGS dpkg-buildflags)
if(KESTRA_HARDENING AND KESTRA_DPKG_BUILDFLAGS AND NOT KESTRA_SANITIZE AND NOT WIN32
   AND CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
              ${KESTRA_DPKG_BUILDFLAGS} --get ${kind}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE rc)
    if(rc)
      message(FATAL_ERROR "dpkg-buildflags --get ${kind} failed")
    endif()
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-(O|g|f[a-z]*-prefix-map=)")
    if(kind STREQUAL "LDFLAGS")
      add_link_options(${flags})
    else()
      add_compile_options(${flags})
    endif()
  endforeach()
endif()
