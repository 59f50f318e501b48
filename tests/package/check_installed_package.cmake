# cmake -DBUILD_DIR=... -DWORK_DIR=... -DCONSUMER_SOURCE=... -DGENERATOR=... -DCXX_COMPILER=...
#       -DCONSUMER_FLAGS=... -DDEFINITIONS_DIR=... -P check_installed_package.cmake

set(prefix "${WORK_DIR}/prefix")
set(consumer_build "${WORK_DIR}/consumer")

function(run_step description)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE error)
  if(NOT result EQUAL 0)
    file(REMOVE_RECURSE "${WORK_DIR}")
    message(FATAL_ERROR "${description} failed (${result}):\n${output}\n${error}")
  endif()
  set(step_output "${output}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

run_step("Installing the library" "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}")

# The CMake package.
run_step("Configuring the consumer"
         "${CMAKE_COMMAND}" -S "${CONSUMER_SOURCE}" -B "${consumer_build}" -G "${GENERATOR}"
         "-DCMAKE_CXX_COMPILER=${CXX_COMPILER}" "-DCMAKE_PREFIX_PATH=${prefix}"
         "-DCMAKE_CXX_FLAGS=${CONSUMER_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${CONSUMER_FLAGS}")
run_step("Building the consumer" "${CMAKE_COMMAND}" --build "${consumer_build}")
run_step("Running the consumer" "${consumer_build}/tarnlink_consumer" ${DEFINITIONS_DIR})
if(NOT step_output MATCHES "TarnLink consumer: [1-9][0-9]* commands")
  file(REMOVE_RECURSE "${WORK_DIR}")
  message(FATAL_ERROR "Unexpected consumer output: ${step_output}")
endif()

# pkg-config: the flags must point into the prefix and build the same program.
find_program(PKG_CONFIG NAMES pkg-config pkgconf)
if(PKG_CONFIG)
  file(GLOB pc_file "${prefix}/*/pkgconfig/tarnlink.pc" "${prefix}/*/*/pkgconfig/tarnlink.pc")
  if(NOT pc_file)
    file(REMOVE_RECURSE "${WORK_DIR}")
    message(FATAL_ERROR "tarnlink.pc was not installed under ${prefix}")
  endif()
  list(GET pc_file 0 pc_file)
  get_filename_component(pc_dir "${pc_file}" DIRECTORY)
  set(ENV{PKG_CONFIG_PATH} "${pc_dir}")
  # The scratch prefix differs from the configured one: the file must find
  # its prefix relative to where it lies.
  run_step("Querying pkg-config" "${PKG_CONFIG}" --cflags --libs tarnlink)
  string(STRIP "${step_output}" pc_flags)
  if(NOT pc_flags MATCHES "-I[^ ]*/include" OR NOT pc_flags MATCHES "-ltarnlink")
    file(REMOVE_RECURSE "${WORK_DIR}")
    message(FATAL_ERROR "Unexpected pkg-config flags: ${pc_flags}")
  endif()
  separate_arguments(pc_list UNIX_COMMAND "${pc_flags}")
  separate_arguments(sanitize_list UNIX_COMMAND "${CONSUMER_FLAGS}")
  string(REGEX MATCH "-L[^ ]+" library_dir_flag "${pc_flags}")
  string(SUBSTRING "${library_dir_flag}" 2 -1 library_dir)
  run_step("Building with pkg-config flags"
           "${CXX_COMPILER}" -std=c++17 ${sanitize_list} "${CONSUMER_SOURCE}/main.cpp" ${pc_list}
           "-Wl,-rpath,${library_dir}" -o "${WORK_DIR}/pkg_config_consumer")
  run_step("Running the pkg-config build" "${WORK_DIR}/pkg_config_consumer" ${DEFINITIONS_DIR})
endif()

file(REMOVE_RECURSE "${WORK_DIR}")
