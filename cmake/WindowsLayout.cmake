# The layout of a Windows build. Windows finds a program's DLLs beside the
# program, so every program and DLL of the build tree goes to one directory,
# bin/, and the install tree puts them in its bin/ too. DLLs are named
# without the "lib" prefix (tarnlink.dll); import libraries keep it.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}/bin")
set(CMAKE_SHARED_LIBRARY_PREFIX "")

# Programs built by MinGW-w64 share the compiler's C++ runtime DLLs with the
# library (one heap, one std::cout, exceptions across the DLL boundary): they
# lie beside tarnlink.dll in the build and the install tree.
if(MINGW)
  foreach(runtime_dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND "${CMAKE_CXX_COMPILER}" -print-file-name=${runtime_dll}
                    OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${runtime_path}" OR NOT EXISTS "${runtime_path}")
      message(FATAL_ERROR "The compiler's runtime ${runtime_dll} was not found")
    endif()
    file(COPY "${runtime_path}" DESTINATION "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
    install(FILES "${runtime_path}" DESTINATION ${CMAKE_INSTALL_BINDIR})
  endforeach()
endif()

# Cross-built programs (tests, test discovery) run under Wine, in a Wine
# prefix of the build's own that is set up once at configure time.
if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(TARNLINK_WINE NAMES wine64 wine PATHS /usr/lib/wine)
  if(TARNLINK_WINE)
    set(TARNLINK_WINE_PREFIX "${PROJECT_BINARY_DIR}/wine-prefix" CACHE PATH "The Wine prefix that runs the tests")
    set(wine_runner "${PROJECT_BINARY_DIR}/wine-run")
    file(WRITE "${wine_runner}"
         "#!/bin/sh\n# Runs a program of this build under Wine.\n"
         "WINEPREFIX='${TARNLINK_WINE_PREFIX}' WINEDEBUG=-all exec '${TARNLINK_WINE}' \"$@\"\n")
    file(CHMOD "${wine_runner}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                            WORLD_READ WORLD_EXECUTE)
    if(NOT EXISTS "${TARNLINK_WINE_PREFIX}/system.reg")
      message(STATUS "Setting up the Wine prefix ${TARNLINK_WINE_PREFIX}")
      execute_process(COMMAND "${wine_runner}" wineboot --init OUTPUT_QUIET ERROR_QUIET)
    endif()
    set(CMAKE_CROSSCOMPILING_EMULATOR "${wine_runner}")
  endif()
endif()
