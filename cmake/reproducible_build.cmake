# Builds scenewheel.exe a second time, in another folder, and fails unless it
# has the same bytes as the first: a user can check the file they were given.
# cmake -DSOURCE=... -DTOOLCHAIN=... -DEXE=... -DFOLDER=... -P reproducible_build.cmake
cmake_minimum_required(VERSION 3.20)
file(REMOVE_RECURSE ${FOLDER})
execute_process(COMMAND ${CMAKE_COMMAND} --no-warn-unused-cli -S ${SOURCE} -B ${FOLDER}
                        -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DCMAKE_BUILD_TYPE=MinSizeRel
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${FOLDER} --target scenewheel
                  RESULT_VARIABLE rc OUTPUT_QUIET)
endif()
if(rc)
  message(FATAL_ERROR "the second build failed")
endif()
file(SHA256 ${EXE} first)
file(SHA256 ${FOLDER}/scenewheel.exe second)
file(REMOVE_RECURSE ${FOLDER})
if(NOT first STREQUAL second)
  message(FATAL_ERROR "two builds differ: ${first} and ${second}")
endif()
message(STATUS "both builds: SHA-256 ${first}")
