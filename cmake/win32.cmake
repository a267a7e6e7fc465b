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
# a file is one CTest test, not one per case. Win32 tests must not run in
# parallel: they share the prefix's registry and the single-instance mutex.
function(sw_wine_tests folder prefix)
  file(GLOB files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${folder}/*.cpp)
  foreach(f ${files})
    get_filename_component(name ${f} NAME_WE)
    # The program's resources too, so that a test can run the real dialog.
    add_executable(${name} ${f} ${CMAKE_SOURCE_DIR}/res/scenewheel.rc)
    target_link_libraries(${name} scenewheel_core scenewheel_support gtest_main gmock ${SW_SYSTEM_LIBS})
    target_link_options(${name} PRIVATE -static)
    add_test(NAME ${prefix}.${name} COMMAND ${name})
    set_tests_properties(${prefix}.${name} PROPERTIES RUN_SERIAL TRUE TIMEOUT 300)
  endforeach()
endfunction()
sw_wine_tests(win32 win32)
sw_wine_tests(e2e e2e)
# Every Wine process of this one gets the ANSI code page 932 (Japanese).
set_tests_properties(e2e.dialog_e2e_test PROPERTIES ENVIRONMENT LC_ALL=ja_JP.UTF-8)
# These 1252 (Western), with file names outside it.
set_tests_properties(e2e.names_e2e_test win32.mapped_store_test PROPERTIES ENVIRONMENT LC_ALL=C.UTF-8)
# End-to-end tests start the real program, which must be built first.
file(GLOB E2E_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp)
foreach(f ${E2E_FILES})
  get_filename_component(name ${f} NAME_WE)
  add_dependencies(${name} scenewheel)
endforeach()

add_test(NAME e2e.startup_trace
         COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/startup_trace.sh $<TARGET_FILE:scenewheel>)
set_tests_properties(e2e.startup_trace PROPERTIES RUN_SERIAL TRUE TIMEOUT 300)

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
