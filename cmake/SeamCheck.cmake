# Fails the configuration when a source of the given folders includes the simulated platform.
function(keytips_check_seam)
  foreach(dir IN LISTS ARGN)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
         "${CMAKE_SOURCE_DIR}/${dir}/*.cpp" "${CMAKE_SOURCE_DIR}/${dir}/*.hpp" "${CMAKE_SOURCE_DIR}/${dir}/*.h")
    foreach(source IN LISTS sources)
      file(STRINGS "${source}" hits REGEX "#[ \t]*include[ \t]*[<\"]platform/sim")
      if(hits)
        message(FATAL_ERROR "${source} includes the simulated platform; include only platform/ seam headers")
      endif()
    endforeach()
  endforeach()
endfunction()
