#!/usr/bin/env bash
# The program's first call, before any file or registry access, turns off the
# system's "drive not ready" and open-file error boxes (0x8001). Wine never
# shows those boxes, so its relay trace of the logon run is read instead:
# only calls made from the program's own image (ret=004...) count.
# error_mode_first.sh path/to/scenewheel.exe
set -u
source "$(dirname "$0")/../../scripts/lib.sh"
ensure_i386 || exit 1
exe=$(winepath -w "$1")
calls='SetErrorMode;GetVersionExA;LoadLibraryA;CreateMutexA;GetModuleFileNameA;RegCreateKeyExA;GetFileAttributesA'
wine reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /d "$calls" /f >/dev/null 2>&1
wine reg delete 'HKCU\Software\OrvanDale\Scenewheel' /f >/dev/null 2>&1
trace=$(WINEDEBUG=+relay wine "$exe" A 2>&1 >/dev/null | grep ':Call .* ret=004')
wine reg delete 'HKCU\Software\Wine\Debug' /v RelayInclude /f >/dev/null 2>&1
first=$(printf '%s\n' "$trace" | head -n1 | sed 's/^[0-9a-f]*://')
echo "first call: $first"
printf '%s\n' "$trace" | grep -q 'RegCreateKeyExA' || { echo "no registry call seen"; exit 1; }
[[ "$first" == "Call KERNEL32.SetErrorMode(00008001) "* ]]
