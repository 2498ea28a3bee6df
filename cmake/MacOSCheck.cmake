# The macOS backend compiled off a Mac: every source in platform/macos/src with clang against the
# GNUstep headers (Objective-C++) and the project's own declarations-only headers for the platform's C
# interfaces (platform/macos/check), under the project's warnings as errors. Once for the Linux target,
# into objects that the seam-coverage and link checks read, and once syntax-only for a Mac target.
if(APPLE)
  message(FATAL_ERROR "KEYTIPS_MACOS_CHECK is for building off a Mac; on a Mac, build the backend itself")
endif()

find_program(KEYTIPS_CHECK_CLANG NAMES clang++-14 clang++ REQUIRED)
find_program(KEYTIPS_CHECK_GCC NAMES gcc REQUIRED)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
execute_process(COMMAND ${KEYTIPS_CHECK_GCC} -print-file-name=include OUTPUT_VARIABLE gcc_include
                OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${KEYTIPS_CHECK_CLANG} -print-resource-dir OUTPUT_VARIABLE clang_resources
                OUTPUT_STRIP_TRAILING_WHITESPACE)
set(gnustep_include /usr/include/GNUstep)
if(NOT EXISTS ${gnustep_include}/AppKit/AppKit.h OR NOT EXISTS /usr/include/Block.h)
  message(FATAL_ERROR "The macOS check needs the GNUstep headers: apt-get install --no-install-recommends "
                      "libgnustep-base-dev libgnustep-gui-dev libblocksruntime-dev (tools/setup-machine does)")
endif()

set(KEYTIPS_MACOS_DEPLOYMENT_TARGET "11.0" CACHE STRING "Oldest macOS the libraries run on")

set(check_dir ${CMAKE_SOURCE_DIR}/platform/macos/check)
set(backend_dir ${CMAKE_SOURCE_DIR}/platform/macos/src)
set(out_dir ${CMAKE_BINARY_DIR}/macos-check)
file(GLOB backend_sources CONFIGURE_DEPENDS ${backend_dir}/*.cpp ${backend_dir}/*.mm)

# The project's warnings, as the root gives them to every target; GCC-only ones left out.
get_directory_property(project_options DIRECTORY ${CMAKE_SOURCE_DIR} COMPILE_OPTIONS)
set(warnings -Werror)
foreach(option IN LISTS project_options)
  if(option MATCHES "^-W" AND NOT option STREQUAL "-Wno-restrict")
    list(APPEND warnings ${option})
  endif()
endforeach()
list(REMOVE_DUPLICATES warnings)

set(common -std=c++20 ${warnings} -I${CMAKE_SOURCE_DIR}/platform/include -I${backend_dir})
# Objective-C++ as on a Mac: manual reference counting, blocks, Objective-C exceptions; GNUstep's own
# extensions left out of its headers, and the check prefix in front of every source.
set(objcxx -x objective-c++ -fblocks -fobjc-exceptions -fno-objc-arc -DNO_GNUSTEP=1
           -isystem ${gnustep_include} -include ${check_dir}/gnustep_prefix.h)
set(linux_target -fPIC -isystem ${check_dir}/include)
# A Mac target sees the same headers: the C and C++ library ones given explicitly, since clang looks
# for a Mac's own under a Mac target. Clang predefines the nullability spellings there, which the C
# library headers use as macro names.
set(mac_target -fsyntax-only -nostdinc -nostdinc++ -U__nonnull -U__nullable -D_GNU_SOURCE
               -isystem ${check_dir}/include)
execute_process(COMMAND ${KEYTIPS_CHECK_GCC} -x c++ -E -v /dev/null OUTPUT_QUIET ERROR_VARIABLE gcc_search)
string(REGEX MATCH "#include <...> search starts here:\n(.*)End of search list" _ "${gcc_search}")
string(REGEX MATCHALL "[^ \n]+" gcc_dirs "${CMAKE_MATCH_1}")
foreach(dir IN LISTS gcc_dirs)
  if(dir MATCHES "c\\+\\+")
    list(APPEND mac_target -isystem ${dir})
  endif()
endforeach()
list(APPEND mac_target -isystem ${clang_resources}/include)
foreach(dir IN LISTS gcc_dirs)
  if(NOT dir MATCHES "c\\+\\+")
    list(APPEND mac_target -isystem ${dir})
  endif()
endforeach()

set(linux_objects)
set(check_outputs)
foreach(source IN LISTS backend_sources)
  get_filename_component(name ${source} NAME)
  if(source MATCHES "\\.mm$")
    set(language ${objcxx})
    set(linux_language -fobjc-runtime=gnustep-2.0 -idirafter ${gcc_include})
    set(mac_language -fobjc-runtime=macosx-${KEYTIPS_MACOS_DEPLOYMENT_TARGET})
  else()
    set(language -x c++)
    set(linux_language)
    set(mac_language)
  endif()
  set(object ${out_dir}/linux/${name}.o)
  add_custom_command(
    OUTPUT ${object}
    COMMAND ${KEYTIPS_CHECK_CLANG} ${common} ${language} ${linux_language} ${linux_target} -MD -MF ${object}.d
            -c ${source} -o ${object}
    DEPENDS ${source}
    DEPFILE ${object}.d
    COMMENT "macOS check (Linux target): ${name}"
    COMMAND_EXPAND_LISTS VERBATIM)
  list(APPEND linux_objects ${object})
  # Only x86_64: the C library headers here are x86_64 ones, which an arm64 target does not take.
  foreach(arch IN ITEMS x86_64)
    set(stamp ${out_dir}/${arch}-apple-macos/${name}.checked)
    add_custom_command(
      OUTPUT ${stamp}
      COMMAND ${KEYTIPS_CHECK_CLANG} -target ${arch}-apple-macos${KEYTIPS_MACOS_DEPLOYMENT_TARGET} ${common}
              ${language} ${mac_language} ${mac_target} -MD -MF ${stamp}.d -MT ${stamp} ${source}
      COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
      DEPENDS ${source}
      DEPFILE ${stamp}.d
      COMMENT "macOS check (${arch}-apple-macos, syntax only): ${name}"
      COMMAND_EXPAND_LISTS VERBATIM)
    list(APPEND check_outputs ${stamp})
  endforeach()
endforeach()
add_custom_target(macos_check ALL DEPENDS ${linux_objects} ${check_outputs})
file(GENERATE OUTPUT ${out_dir}/linux-objects.txt CONTENT "${linux_objects}")

# The object files and static archives a library is linked from, leaving out the platform it was built
# on (the simulation here), whose place the backend takes.
function(keytips_link_inputs target out)
  set(inputs $<TARGET_OBJECTS:${target}>)
  set(pending ${target})
  set(seen)
  while(pending)
    list(POP_FRONT pending current)
    get_target_property(type ${current} TYPE)
    set(linked)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(linked ${current} LINK_LIBRARIES)
    endif()
    get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
    foreach(library IN LISTS linked interface)
      if(NOT TARGET ${library} OR library IN_LIST seen OR library MATCHES "^(PlatformSim|KeyTipsPlatform$)")
        continue()
      endif()
      list(APPEND seen ${library})
      list(APPEND pending ${library})
      get_target_property(library_type ${library} TYPE)
      if(library_type STREQUAL "STATIC_LIBRARY")
        list(APPEND inputs $<TARGET_FILE:${library}>)
      endif()
    endforeach()
  endwhile()
  set(${out} "${inputs}" PARENT_SCOPE)
endfunction()

add_test(NAME macos_seam_coverage
         COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/check-seam-coverage --clang ${KEYTIPS_CHECK_CLANG}
                 --seam ${CMAKE_SOURCE_DIR}/platform/include/platform
                 --implementation sim=$<TARGET_FILE:PlatformSim>
                 --implementation macos=@${out_dir}/linux-objects.txt)
set(link_arguments)
foreach(library IN ITEMS LedgerKeys DeckKeys SpanPick)
  keytips_link_inputs(${library} inputs)
  file(GENERATE OUTPUT ${out_dir}/${library}-inputs.txt CONTENT "${inputs}")
  list(APPEND link_arguments --library ${library}=@${out_dir}/${library}-inputs.txt)
endforeach()
add_test(NAME macos_seam_links
         COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/check-seam-links
                 --backend @${out_dir}/linux-objects.txt ${link_arguments})
set_tests_properties(macos_seam_coverage macos_seam_links PROPERTIES LABELS macos_check)
