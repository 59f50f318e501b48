# tarnlink_gtest_cases(TARGET LABEL [WORKING_DIRECTORY DIR])
# Registers the cases of a GoogleTest program with CTest. Natively each case
# is a test of its own. Under an emulator (Wine) every start of a program
# costs a second or more, so there the program runs once, all its cases in
# that one run; a failing case is named in the program's output.
include(GoogleTest)

function(tarnlink_gtest_cases target label)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "WORKING_DIRECTORY" "")
  if(NOT arg_WORKING_DIRECTORY)
    set(arg_WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}")
  endif()
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    add_test(NAME ${label}.${target} COMMAND ${target} WORKING_DIRECTORY "${arg_WORKING_DIRECTORY}")
    set_tests_properties(${label}.${target} PROPERTIES LABELS ${label})
  else()
    gtest_discover_tests(${target} WORKING_DIRECTORY "${arg_WORKING_DIRECTORY}" DISCOVERY_MODE PRE_TEST
                         PROPERTIES LABELS ${label})
  endif()
endfunction()
