# Builds scenewheel.exe a second time, from a copy of the sources in another
# folder, and fails unless it has the same bytes as the first: a user can
# check the file they were given.
# cmake -DSOURCE=... -DEXE=... -DFOLDER=... -P reproducible_build.cmake
cmake_minimum_required(VERSION 3.20)
file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER}/source)
foreach(part app settings dialog support res cmake tests bench CMakeLists.txt)
  file(COPY ${SOURCE}/${part} DESTINATION ${FOLDER}/source)
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} --no-warn-unused-cli -S ${FOLDER}/source
                        -B ${FOLDER}/build -DCMAKE_BUILD_TYPE=MinSizeRel
                        -DCMAKE_TOOLCHAIN_FILE=${FOLDER}/source/cmake/mingw-i686.cmake
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${FOLDER}/build --target scenewheel
                  RESULT_VARIABLE rc OUTPUT_QUIET)
endif()
if(rc)
  message(FATAL_ERROR "the second build failed")
endif()
file(SHA256 ${EXE} first)
file(SHA256 ${FOLDER}/build/scenewheel.exe second)
file(REMOVE_RECURSE ${FOLDER})
if(NOT first STREQUAL second)
  message(FATAL_ERROR "two builds differ: ${first} and ${second}")
endif()
message(STATUS "both builds: SHA-256 ${first}")
