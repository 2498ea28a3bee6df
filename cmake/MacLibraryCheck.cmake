# What Apple's libc++ lacks on the oldest macOS the libraries run on (KEYTIPS_MACOS_DEPLOYMENT_TARGET),
# as rows of a pattern and the reason. Linux's standard libraries have all of it, so only a look at the
# sources finds it here.
set(keytips_mac_library_gaps
    "(to|from)_chars"
    "floating-point std::to_chars arrives with macOS 13.3 and std::from_chars later still; the libraries use neither, so that no floating-point overload slips in: use std::snprintf and std::strtod"
    "std::pmr::"
    "polymorphic memory resources arrive with macOS 14"
    "#[ \t]*include[ \t]*<(format|print|memory_resource|stacktrace)>"
    "std::format, std::print and their relatives arrive later than macOS 11 or not at all")

# Fails the configuration when a source of the given folders uses one of them.
function(keytips_check_mac_library_use)
  foreach(dir IN LISTS ARGN)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
         "${CMAKE_SOURCE_DIR}/${dir}/*.cpp" "${CMAKE_SOURCE_DIR}/${dir}/*.hpp" "${CMAKE_SOURCE_DIR}/${dir}/*.h"
         "${CMAKE_SOURCE_DIR}/${dir}/*.inc")
    foreach(source IN LISTS sources)
      set(gaps ${keytips_mac_library_gaps})
      while(gaps)
        list(POP_FRONT gaps pattern reason)
        file(STRINGS "${source}" hits REGEX "${pattern}")
        if(hits)
          list(GET hits 0 hit)
          message(FATAL_ERROR "${source}: \"${hit}\": ${reason}")
        endif()
      endwhile()
    endforeach()
  endforeach()
endfunction()
