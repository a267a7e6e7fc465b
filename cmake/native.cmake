# Native tree: the portable core with AddressSanitizer and UBSan, and the
# unit tests against in-memory fakes of the platform seams.
find_package(GTest REQUIRED)
include(GoogleTest)

set(SW_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
function(sw_sanitized target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -g ${SW_SANITIZE})
  target_link_options(${target} PRIVATE ${SW_SANITIZE})
endfunction()

include_directories(${CMAKE_SOURCE_DIR})
# clang-tidy reads the compile commands; targets take this when they are made.
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)

add_library(scenewheel_core STATIC ${SW_PORTABLE})
sw_sanitized(scenewheel_core)
if(SUPPORT_PORTABLE)
  add_library(scenewheel_support STATIC ${SUPPORT_PORTABLE})
  sw_sanitized(scenewheel_support)
else()
  add_library(scenewheel_support INTERFACE)
endif()

file(GLOB NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
file(GLOB FAKES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fakes/*.cpp)
add_executable(native_tests ${NATIVE_TESTS} ${FAKES})
sw_sanitized(native_tests)
target_link_libraries(native_tests scenewheel_core scenewheel_support GTest::gtest_main GTest::gmock)
gtest_discover_tests(native_tests TEST_PREFIX "native." DISCOVERY_TIMEOUT 60)

# Native benchmarks (Google Benchmark), run by scripts/bench, not by ctest.
# They compile the portable sources they measure themselves, optimised and
# without sanitizers.
file(GLOB NATIVE_BENCH CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/native_*.cpp)
if(NATIVE_BENCH)
  find_package(benchmark REQUIRED)
  foreach(b ${NATIVE_BENCH})
    get_filename_component(name ${b} NAME_WE)
    add_executable(${name} EXCLUDE_FROM_ALL ${b} ${SUPPORT_PORTABLE})
    # Unused portable code (and the seams it reaches) is dropped at link time.
    target_compile_options(${name} PRIVATE -O2 -ffunction-sections -fdata-sections)
    target_link_options(${name} PRIVATE -Wl,--gc-sections)
    target_link_libraries(${name} benchmark::benchmark)
  endforeach()
endif()

# Static analysis as tests: cppcheck over every source of the program and the
# library, clang-tidy over the portable core (from compile_commands.json).
# A finding that is not a fault is suppressed in place with its reason.
find_program(CLANG_FORMAT clang-format REQUIRED)
add_test(NAME static.layout COMMAND ${CMAKE_COMMAND} -DCLANG_FORMAT=${CLANG_FORMAT}
         -DROOT=${CMAKE_SOURCE_DIR} -P ${CMAKE_SOURCE_DIR}/cmake/layout.cmake)
find_program(CPPCHECK cppcheck)
find_program(CLANG_TIDY clang-tidy)
if(CPPCHECK)
  add_test(NAME static.cppcheck
           COMMAND ${CPPCHECK} --quiet --error-exitcode=1 --enable=warning,performance,portability
                   --inline-suppr --std=c++17 -I ${CMAKE_SOURCE_DIR}
                   app settings dialog support
           WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
endif()
if(CLANG_TIDY)
  add_test(NAME static.clang_tidy
           COMMAND ${CLANG_TIDY} -p ${CMAKE_BINARY_DIR} --quiet ${SW_PORTABLE} ${SUPPORT_PORTABLE}
           WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
endif()
