#!/usr/bin/env bash
# What the start-up hands the system, read from Wine's relay trace of the
# logon run (only calls made from the program's own image, ret=004...):
# - its first call, before any file or registry access, turns the system's
#   "drive not ready" and open-file error boxes off (0x8001), which Wine
#   never shows;
# - keys are created with the registry security from NT 4.0 on (Wine reports
#   Windows XP) and with none where it could not be built (Wine's default
#   version is not one the program knows). Wine ignores the record itself.
# startup_trace.sh path/to/scenewheel.exe
set -u
source "$(dirname "$0")/../../scripts/lib.sh"
ensure_i386 || exit 1
exe=$(winepath -w "$1")
debug='HKCU\Software\Wine\Debug'
xp='HKCU\Software\Wine\AppDefaults\scenewheel.exe'
calls='SetErrorMode;GetVersionExA;LoadLibraryA;CreateMutexA;GetModuleFileNameA;RegCreateKeyExA'
wine reg add "$debug" /v RelayInclude /d "$calls;GetFileAttributesA" /f >/dev/null 2>&1
# The calls of one logon run, without their thread prefix.
trace() {
  WINEDEBUG=+relay wine "$exe" A 2>&1 >/dev/null | grep ':Call .* ret=004' | sed 's/^[0-9a-f]*://'
}
# The security argument (the seventh) of the first RegCreateKeyExA.
security() { grep -m1 RegCreateKeyExA | sed 's/"[^"]*"//g; s/.*(//' | cut -d, -f7; }
default=$(trace)
wine reg add "$xp" /v Version /d winxp /f >/dev/null 2>&1
xp_trace=$(trace)
wine reg delete "$xp" /f >/dev/null 2>&1
wine reg delete "$debug" /v RelayInclude /f >/dev/null 2>&1
first=$(printf '%s\n' "$default" | head -n1)
echo "first call: $first; security: $(security <<<"$default"), XP: $(security <<<"$xp_trace")"
[[ "$first" == "Call KERNEL32.SetErrorMode(00008001) "* ]] &&
  [ "$(security <<<"$default")" = 00000000 ] &&
  [ -n "$(security <<<"$xp_trace")" ] && [ "$(security <<<"$xp_trace")" != 00000000 ]
