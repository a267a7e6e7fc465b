# Checks what scenewheel.exe asks of the system loader, which Wine cannot
# show: only the four DLLs that every Windows 95 has, only functions that the
# first Windows 95 exports, and a header that asks for Windows 4.0.
# cmake -DOBJDUMP=... -DEXE=... -P program_imports.cmake
cmake_minimum_required(VERSION 3.20)
#
# Each name below was checked against the exports of the first Windows 95
# (kernel32 has, for instance, no IsDebuggerPresent, InterlockedCompareExchange
# or GetFileAttributesExA there). Check a new one the same way before adding it.
set(known
  ADVAPI32.dll:RegCloseKey ADVAPI32.dll:RegCreateKeyExA ADVAPI32.dll:RegDeleteKeyA
  ADVAPI32.dll:RegDeleteValueA ADVAPI32.dll:RegEnumValueA ADVAPI32.dll:RegQueryValueExA
  ADVAPI32.dll:RegSetValueExA
  GDI32.dll:DeleteObject GDI32.dll:GetStockObject GDI32.dll:SetBkMode GDI32.dll:SetTextColor
  KERNEL32.dll:CloseHandle KERNEL32.dll:CreateFileA KERNEL32.dll:CreateFileMappingA
  KERNEL32.dll:CreateMutexA KERNEL32.dll:ExitProcess KERNEL32.dll:FreeLibrary
  KERNEL32.dll:GetCommandLineA KERNEL32.dll:GetFileAttributesA KERNEL32.dll:GetFileSize
  KERNEL32.dll:GetLastError KERNEL32.dll:GetLocalTime KERNEL32.dll:GetModuleFileNameA
  KERNEL32.dll:GetModuleHandleA
  KERNEL32.dll:GetProcAddress KERNEL32.dll:GetShortPathNameA KERNEL32.dll:GetTickCount KERNEL32.dll:GetVersionExA
  KERNEL32.dll:GetWindowsDirectoryA KERNEL32.dll:IsDBCSLeadByte KERNEL32.dll:LoadLibraryA KERNEL32.dll:LocalAlloc
  KERNEL32.dll:LocalFree KERNEL32.dll:MapViewOfFile KERNEL32.dll:MoveFileExA
  KERNEL32.dll:SetEndOfFile KERNEL32.dll:SetErrorMode KERNEL32.dll:SetFilePointer KERNEL32.dll:SetLastError
  KERNEL32.dll:UnmapViewOfFile KERNEL32.dll:lstrcmpiA KERNEL32.dll:lstrcpynA
  KERNEL32.dll:lstrlenA
  USER32.dll:CallWindowProcA USER32.dll:CheckDlgButton USER32.dll:CopyImage
  USER32.dll:CreateWindowExA USER32.dll:DefDlgProcA USER32.dll:DefWindowProcA
  USER32.dll:DialogBoxParamA USER32.dll:EnableWindow USER32.dll:EndDialog
  USER32.dll:GetClientRect USER32.dll:GetCursorPos USER32.dll:GetDesktopWindow
  USER32.dll:GetDlgItem USER32.dll:GetParent USER32.dll:InvalidateRect USER32.dll:KillTimer
  USER32.dll:LoadCursorA USER32.dll:LoadIconA USER32.dll:LoadImageA USER32.dll:MapWindowPoints
  USER32.dll:MessageBoxA USER32.dll:PtInRect USER32.dll:RegisterClassA USER32.dll:SendMessageA
  USER32.dll:SetDlgItemTextA USER32.dll:SetRectEmpty USER32.dll:SetTimer
  USER32.dll:SetWindowLongA USER32.dll:SetWindowPos USER32.dll:SystemParametersInfoA
  USER32.dll:UpdateWindow USER32.dll:WindowFromPoint)

execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "objdump failed on ${EXE}")
endif()
set(versions)
foreach(field MajorOSystemVersion MinorOSystemVersion MajorSubsystemVersion MinorSubsystemVersion)
  string(REGEX MATCH "${field}[ \t]+([0-9]+)" found "${dump}")
  string(APPEND versions "${CMAKE_MATCH_1} ")
endforeach()
if(NOT versions STREQUAL "4 0 4 0 ")
  message(FATAL_ERROR "OS and subsystem versions are not 4.0 and 4.0: ${versions}")
endif()

set(problems)
set(dll)
string(REPLACE "\n" ";" lines "${dump}")
foreach(line IN LISTS lines)
  if(line MATCHES "DLL Name: (.+)$")
    set(dll ${CMAKE_MATCH_1})
  elseif(dll AND line MATCHES "^\t[0-9a-f]+\t +[0-9]+ +([A-Za-z0-9_]+)")
    if(NOT "${dll}:${CMAKE_MATCH_1}" IN_LIST known)
      list(APPEND problems "${dll}:${CMAKE_MATCH_1}")
    endif()
  endif()
endforeach()
if(problems)
  message(FATAL_ERROR "imports not checked against the first Windows 95: ${problems}")
endif()
