# Cross build for Windows x64 with Debian's mingw-w64 toolchain (the
# posix-threads flavour, whose C++ runtime has std::thread and std::mutex):
#   cmake --preset windows
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(TARNLINK_MINGW_TRIPLET x86_64-w64-mingw32)
find_program(CMAKE_CXX_COMPILER NAMES ${TARNLINK_MINGW_TRIPLET}-g++-posix ${TARNLINK_MINGW_TRIPLET}-g++ REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${TARNLINK_MINGW_TRIPLET}-gcc-posix ${TARNLINK_MINGW_TRIPLET}-gcc REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${TARNLINK_MINGW_TRIPLET}-windres REQUIRED)

# Libraries, headers and packages come from the target's tree only; programs
# run during the build come from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${TARNLINK_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
