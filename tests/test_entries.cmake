# Run after a test program is linked: lists the program's cases and writes the ctest entries that run
# them. An entry runs one suite (one instantiation of a parameterized suite) or one case, and is named
# after the program, the suite and the case, so that the same suite in two programs gives two entries.
# ctest reads the file through the program's include script, which gives the entries their labels and
# time limit.
#
#   cmake -DPROGRAM=<test program> -DNAME=<program's name> -DENTRY_PER=<suite|case> -DOUT=<file>
#         -P test_entries.cmake
cmake_minimum_required(VERSION 3.20)

execute_process(COMMAND "${PROGRAM}" --gtest_list_tests TIMEOUT 60 RESULT_VARIABLE result OUTPUT_VARIABLE listing
                ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  file(REMOVE "${OUT}")
  message(FATAL_ERROR "${PROGRAM} did not list its cases (${result}):\n${listing}${errors}")
endif()

# The listing holds a line per suite, "Suite." perhaps followed by "  # TypeParam = ...", and under it
# a line per case, "  Case" perhaps followed by "  # GetParam() = ...".
string(REPLACE "\n" ";" lines "${listing}")
set(entries "")
set(text "")
macro(add_entry entry filter)
  string(APPEND text "add_test([==[${NAME}.${entry}]==] [==[${PROGRAM}]==] [==[--gtest_filter=${filter}]==])\n")
  string(APPEND entries " [==[${NAME}.${entry}]==]")
endmacro()
foreach(line IN LISTS lines)
  if(line MATCHES "^([^ ]+)\\.(  #.*)?$")
    set(suite "${CMAKE_MATCH_1}")
    if(ENTRY_PER STREQUAL "suite")
      add_entry("${suite}" "${suite}.*")
    endif()
  elseif(ENTRY_PER STREQUAL "case" AND line MATCHES "^  ([^ ]+)")
    add_entry("${suite}.${CMAKE_MATCH_1}" "${suite}.${CMAKE_MATCH_1}")
  endif()
endforeach()
if(entries STREQUAL "")
  file(REMOVE "${OUT}")
  message(FATAL_ERROR "${PROGRAM} listed no cases:\n${listing}")
endif()
file(WRITE "${OUT}" "${text}set(${NAME}_ENTRIES${entries})\n")
