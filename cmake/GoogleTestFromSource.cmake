# Debian's GoogleTest libraries are built for the build machine. A cross build
# compiles its own from the sources that Debian's googletest package installs,
# under the names that find_package(GTest) gives.
set(TARNLINK_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
if(NOT EXISTS "${TARNLINK_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt")
  message(FATAL_ERROR "GoogleTest sources not found in ${TARNLINK_GOOGLETEST_SOURCE_DIR} (Debian package googletest)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "Install GoogleTest with the project" FORCE)
set(BUILD_SHARED_LIBS OFF)
add_subdirectory("${TARNLINK_GOOGLETEST_SOURCE_DIR}" "${PROJECT_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
foreach(gtest_target gtest gtest_main gmock gmock_main)
  if(NOT TARGET GTest::${gtest_target})
    add_library(GTest::${gtest_target} ALIAS ${gtest_target})
  endif()
endforeach()
