# tarnlink_host_header_library(<imported target> <path under /usr/include>...)
#
# A header-only library that Debian installs for the build machine serves a
# cross build too, but the cross compiler must not search /usr/include (it
# holds the build machine's C library). The named headers are copied into the
# build tree and the imported target points there.
function(tarnlink_host_header_library target)
  string(MAKE_C_IDENTIFIER "${target}" folder)
  set(include_dir "${PROJECT_BINARY_DIR}/host_headers/${folder}")
  foreach(header IN LISTS ARGN)
    if(NOT EXISTS "/usr/include/${header}")
      message(FATAL_ERROR "/usr/include/${header} not found for ${target}")
    endif()
    file(COPY "/usr/include/${header}" DESTINATION "${include_dir}")
  endforeach()
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${include_dir}")
endfunction()
