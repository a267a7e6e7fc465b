# Fails, naming the files, when a C++ file of the tree is not laid out as
# the root's .clang-format says (Google style, 100 columns).
# cmake -DCLANG_FORMAT=... -DROOT=... -P layout.cmake
cmake_minimum_required(VERSION 3.20)
set(files)
foreach(dir app settings dialog support res tests bench)
  file(GLOB_RECURSE found ${ROOT}/${dir}/*.cpp ${ROOT}/${dir}/*.h)
  list(APPEND files ${found})
endforeach()
set(bad)
foreach(f IN LISTS files)
  execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${f} RESULT_VARIABLE rc
                  OUTPUT_QUIET ERROR_QUIET)
  if(rc)
    file(RELATIVE_PATH name ${ROOT} ${f})
    list(APPEND bad ${name})
  endif()
endforeach()
if(bad)
  execute_process(COMMAND ${CLANG_FORMAT} --version OUTPUT_VARIABLE version)
  string(REPLACE ";" "\n  " bad "${bad}")
  message(FATAL_ERROR "not laid out by ${version} (the tree follows Debian's clang-format 14; "
                      "run clang-format -i on them):\n  ${bad}")
endif()
