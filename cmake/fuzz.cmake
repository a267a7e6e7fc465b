# Fuzz tree (clang): one libFuzzer target per tests/fuzz/fuzz_*.cpp, with
# AddressSanitizer and UBSan, over the portable core and the in-memory fakes.
# Each target is also a CTest test that runs for SW_FUZZ_SECONDS from the
# seeds under tests/fuzz/corpus/NAME; what it finds new goes to the build's
# own corpus folder, never into the sources. The targets check with assert(),
# which stays on whatever the build type.
set(SW_FUZZ_SECONDS 8 CACHE STRING "seconds each fuzz test runs")
set(SW_FUZZ_FLAGS -g -O1 -fno-omit-frame-pointer -fsanitize=address,undefined
    -fno-sanitize-recover=all -UNDEBUG)
include_directories(${CMAKE_SOURCE_DIR})

file(GLOB FUZZ_FAKES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fakes/*.cpp)
add_library(fuzz_core STATIC ${SW_PORTABLE} ${SUPPORT_PORTABLE} ${FUZZ_FAKES})
target_compile_options(fuzz_core PRIVATE ${SW_FUZZ_FLAGS} -fsanitize=fuzzer-no-link)

file(GLOB FUZZERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_*.cpp)
foreach(f ${FUZZERS})
  get_filename_component(name ${f} NAME_WE)
  add_executable(${name} ${f})
  target_compile_options(${name} PRIVATE ${SW_FUZZ_FLAGS} -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} fuzz_core)
  set(found ${CMAKE_BINARY_DIR}/corpus/${name})
  file(MAKE_DIRECTORY ${found} ${CMAKE_BINARY_DIR}/crashes)
  set(seeds ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name})
  add_test(NAME fuzz.${name}
           COMMAND ${name} -max_total_time=${SW_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048
                   -print_final_stats=1 -artifact_prefix=${CMAKE_BINARY_DIR}/crashes/
                   ${found} ${seeds})
  set_tests_properties(fuzz.${name} PROPERTIES TIMEOUT 600)
endforeach()
