# Windows tree: scenewheel.exe, the support library, the Windows tests and the
# end-to-end tests, all PE32 i386; tests run under Wine (see wine-run).
# The headers describe the oldest systems the program runs on, so that no newer
# constant or record layout slips in (test sources keep the headers' default).
# The code is for the 80386, the least processor of Windows 95: the compiler's
# default, the Pentium Pro, brings cmov and friends, which a 486, Pentium or
# K6 cannot run.
set(SW_PROGRAM_FLAGS -march=i386 -Os -fno-exceptions -fno-rtti -ffunction-sections -fdata-sections
    -Wall -Wextra -fno-asynchronous-unwind-tables
    -D_WIN32_WINNT=0x0400 -DWINVER=0x0400 -D_WIN32_IE=0x0400
    -ffile-prefix-map=${CMAKE_SOURCE_DIR}=.)
include_directories(${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/res)

# The program's start and its stand-in for a C runtime: in the program only.
set(SW_MAIN ${CMAKE_SOURCE_DIR}/app/main_win32.cpp ${CMAKE_SOURCE_DIR}/app/process_entry_win32.cpp)
set(SW_LIB_FACES ${SW_FACES})
list(REMOVE_ITEM SW_LIB_FACES ${SW_MAIN})

add_library(scenewheel_core STATIC ${SW_PORTABLE} ${SW_LIB_FACES})
target_compile_options(scenewheel_core PRIVATE ${SW_PROGRAM_FLAGS})

if(SUPPORT_ALL)
  add_library(scenewheel_support STATIC ${SUPPORT_ALL})
  target_compile_options(scenewheel_support PRIVATE ${SW_PROGRAM_FLAGS})
else()
  add_library(scenewheel_support INTERFACE)
endif()

set(SW_SYSTEM_LIBS user32 gdi32 advapi32 comdlg32 shell32 comctl32 version kernel32)

# No C runtime DLL (the first Windows 95 has none): the program's own entry,
# the four system DLLs that every Windows 95 has, and a header that asks for
# Windows 4.0. No libgcc either: Debian builds it for the Pentium Pro, so a
# helper that the code comes to need is a link error, not a newer instruction.
add_executable(scenewheel WIN32 ${SW_MAIN} ${CMAKE_SOURCE_DIR}/res/scenewheel.rc)
target_compile_options(scenewheel PRIVATE ${SW_PROGRAM_FLAGS})
# The same commit gives the same bytes, wherever and whenever it is built: no
# time stamp in the header, no build folder in the code.
target_link_options(scenewheel PRIVATE -nostdlib -s -Wl,--gc-sections -Wl,-e,_WinMainCRTStartup
    -Wl,--no-insert-timestamp
    -Wl,--major-os-version,4,--minor-os-version,0,--major-subsystem-version,4,--minor-subsystem-version,0)
target_link_libraries(scenewheel scenewheel_core scenewheel_support kernel32 user32 gdi32 advapi32)
add_test(NAME win32.program_imports COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP}
         -DEXE=$<TARGET_FILE:scenewheel> -P ${CMAKE_SOURCE_DIR}/cmake/program_imports.cmake)
add_test(NAME win32.instruction_set COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP}
         "-DFILES=$<TARGET_FILE:scenewheel>;$<TARGET_FILE:scenewheel_support>"
         -P ${CMAKE_SOURCE_DIR}/cmake/instruction_set.cmake)

add_test(NAME win32.reproducible_build COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR}
         -DEXE=$<TARGET_FILE:scenewheel>
         -DFOLDER=${CMAKE_BINARY_DIR}/second-build -P ${CMAKE_SOURCE_DIR}/cmake/reproducible_build.cmake)

# GoogleTest for Windows, from the Debian sources.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# One executable per test file: each Wine start costs about half a second, so
# a file is one CTest test (for each version it runs as), not one per case.
function(sw_wine_tests folder)
  file(GLOB files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${folder}/*.cpp)
  foreach(f ${files})
    get_filename_component(name ${f} NAME_WE)
    # The program's resources too, so that a test can run the real dialog.
    add_executable(${name} ${f} ${CMAKE_SOURCE_DIR}/res/scenewheel.rc)
    target_link_libraries(${name} scenewheel_core scenewheel_support gtest_main gmock ${SW_SYSTEM_LIBS})
    target_link_options(${name} PRIVATE -static)
    # End-to-end tests start the real program, which must be built first.
    if(folder STREQUAL "e2e")
      add_dependencies(${name} scenewheel)
    endif()
  endforeach()
endfunction()
sw_wine_tests(win32)
sw_wine_tests(e2e)

# The test NAME runs the program EXE under Wine as the Windows VERSION (Wine's
# own, Windows 7, when empty: beyond the range) with the environment that
# follows. Tests under Wine must not run in parallel: they share the prefix's
# registry and the single-instance mutex.
function(sw_wine_test name exe version)
  set(environment ${ARGN})
  if(version)
    list(APPEND environment SW_WINDOWS=${version})
  endif()
  add_test(NAME ${name} COMMAND ${exe})
  set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE TIMEOUT 300 ENVIRONMENT "${environment}")
endfunction()

# The Windows tests as Wine's own version, and as Windows 95: the support
# library takes the ANSI paths there.
file(GLOB WIN32_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/*.cpp)
foreach(f ${WIN32_TESTS})
  get_filename_component(name ${f} NAME_WE)
  # The store's test needs file names outside the code page 1252.
  set(locale "")
  if(name STREQUAL "mapped_store_test")
    set(locale LC_ALL=C.UTF-8)
  endif()
  sw_wine_test(win32.${name} ${name} "" ${locale})
  sw_wine_test(win32.${name}.win95 ${name} win95 ${locale})
endforeach()

# The journey on a Japanese Windows (ANSI code page 932) of every version in
# range; the relay trace of its logon run lands in the file that SW_TRACE
# names. The names journey on a Western NT (1252), with names outside its
# code page, which only NT has.
foreach(version win95 win98 winme nt351 nt40 win2k winxp win2003)
  sw_wine_test(e2e.journey.${version} journey_e2e_test ${version} LC_ALL=ja_JP.UTF-8
               SW_TRACE=journey.${version}.trace)
endforeach()
foreach(version winxp win2003)
  sw_wine_test(e2e.names1252.${version} names_e2e_test ${version} LC_ALL=C.UTF-8)
endforeach()

# Windows helpers for the benchmarks: bench/*_win32.cpp, one program each.
file(GLOB WIN_BENCH CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*_win32.cpp)
foreach(b ${WIN_BENCH})
  get_filename_component(name ${b} NAME_WE)
  add_executable(${name} WIN32 ${b})
  target_compile_options(${name} PRIVATE ${SW_PROGRAM_FLAGS})
  target_link_options(${name} PRIVATE -static -s)
  target_link_libraries(${name} scenewheel_core scenewheel_support ${SW_SYSTEM_LIBS})
endforeach()

# Small Windows tools that the end-to-end tests start.
file(GLOB E2E_TOOLS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/tools/*.cpp)
foreach(t ${E2E_TOOLS})
  get_filename_component(name ${t} NAME_WE)
  add_executable(${name} ${t})
  target_link_options(${name} PRIVATE -static)
  target_link_libraries(${name} user32 kernel32)
endforeach()
