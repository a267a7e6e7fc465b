# Shared by the scripts: paths, the Wine environment and a private display.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEARCH=${WINEARCH:-win32}

# Starts a private Xvfb and exports DISPLAY; stop_display ends it.
xvfb_pid=""
start_display() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  local n
  read -r n <"$fifo"
  rm -f "$fifo"
  export DISPLAY=":$n"
}
stop_display() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
}

# Creates the prefix once; later calls find it ready.
init_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
}

# Whether Wine's windows are left to a window manager (Y, on a user's own
# display) or not (N, on the private Xvfb, which has none: there Wine would
# wait two seconds for one at every window that it hides, so at the end of
# every dialog and message box).
manage_windows() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$1" /f >/dev/null 2>&1
}

# Starts the Wine server and its background services with their output on
# /dev/null: the first Wine program of a session leaves them running, and
# they would otherwise hold a test's output pipe open until they end.
warm_wine() {
  wineserver -p
  wine cmd.exe /c exit >/dev/null 2>&1 </dev/null || true
}

# i386 code on this host: natively, or through qemu-i386 under binfmt_misc.
binfmt_dir=/proc/sys/fs/binfmt_misc
binfmt_entry=$binfmt_dir/qemu-i386

# Runs a 93-byte i386 program that exits with 42: true when it did.
runs_i386() {
  local f rc=0
  f=$(mktemp "${TMPDIR:-/tmp}/i386probe.XXXXXX")
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\x31\xc0\x40\x31\xdb\xb3\x2a\xcd\x80' >"$f"
  chmod +x "$f"
  "$f" 2>/dev/null || rc=$?
  rm -f "$f"
  [ "$rc" -eq 42 ]
}

# Registers (or re-enables) the qemu-i386 handler; the F flag opens the
# interpreter now, so it also serves other mount namespaces.
register_i386_emulation() {
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  if [ ! -f "$binfmt_dir/register" ]; then
    $sudo mount -t binfmt_misc binfmt_misc "$binfmt_dir"
  fi
  if [ -f "$binfmt_entry" ]; then
    echo 1 | $sudo tee "$binfmt_entry" >/dev/null
  else
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386:FP' \
      | $sudo tee "$binfmt_dir/register" >/dev/null
  fi
}

# Every script that starts Wine calls this: a registration is lost at
# reboot, so where the emulated path is in use it is made again.
ensure_i386() {
  if [ "${SCENEWHEEL_EMULATE:-0}" = 1 ]; then
    grep -qx enabled "$binfmt_entry" 2>/dev/null || register_i386_emulation
  fi
  runs_i386 && return 0
  [ -x /usr/bin/qemu-i386 ] && register_i386_emulation
  runs_i386 || { echo "i386 code does not run here: run scripts/setup" >&2; return 1; }
}

# Lines of code below the given folders: non-blank lines that are not only a
# comment, in C++, resource, Python, shell and CMake files (seed corpora left
# out). COUNT_ROOT names another copy of the tree to count in.
count_lines() {
  local root=${COUNT_ROOT:-$root}
  (cd "$root" && { git ls-files -co --exclude-standard -- "$@" 2>/dev/null || find "$@" -type f; }) \
    | grep -v '/corpus/' \
    | grep -E '\.(c|cc|cpp|h|hpp|rc|py|sh|cmake)$|(^|/)CMakeLists\.txt$|(^|/)[^./]+$' \
    | while read -r f; do [ -f "$root/$f" ] && grep -Iq . "$root/$f" && cat "$root/$f"; done \
    | awk '{ s = $0; sub(/^[ \t]+/, "", s) }
           s == "" { next }
           s ~ /^\/\// || s ~ /^\/\*/ || s ~ /^\*/ { next }
           s ~ /^#/ && s !~ /^#[ \t]*(include|define|undef|if|ifdef|ifndef|elif|else|endif|pragma|error)/ { next }
           { n++ } END { print n + 0 }'
}

# The tests' share of the program, counted on a copy of the tree laid out by
# clang-format (Google style, 100 columns), one statement per line.
print_share() {
  local copy prog tests
  copy=$(mktemp -d)
  (cd "$root" && git ls-files -co --exclude-standard -- app settings dialog support res tests) \
    | while read -r f; do [ -f "$root/$f" ] && mkdir -p "$copy/$(dirname "$f")" && cp "$root/$f" "$copy/$f"; done
  printf 'BasedOnStyle: Google\nColumnLimit: 100\n' >"$copy/.clang-format"
  find "$copy" -name '*.cpp' -o -name '*.h' | xargs -r clang-format -i --style=file
  prog=$(COUNT_ROOT=$copy count_lines app settings dialog support res)
  tests=$(COUNT_ROOT=$copy count_lines tests)
  rm -rf "$copy"
  echo "Lines, laid out by clang-format: tests $tests, program $prog (app/ settings/ dialog/" \
    "support/ res/): tests are $((100 * tests / prog)).$((1000 * tests / prog % 10))% of the" \
    "program (at most 50%)"
}
