# The link labels with the real pointer: moving onto the site label turns
# its text red, moving away turns it blue again, and a click hands the site
# address to the shell's open action (here the probe's harmless recorder, so
# nothing is opened on the network). Needs DISPLAY and the Wine prefix of the run.
set -eu
bin=$1
probe="$bin/dialog_probe.exe"
shot=$(mktemp --suffix=.png)
log="$WINEPREFIX/drive_c/url_log.txt"
rm -f "$log"
fail() { echo "FAIL: $*"; exit 1; }

# The shell's open action for web addresses goes to the probe for the
# length of this test.
key='HKCR\http\shell\open\command'
old=$(wine reg query "$key" /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
recorder=$(winepath -w "$probe")
wine reg add "$key" /ve /d "\"$recorder\" record \"%1\"" /f >/dev/null 2>&1

wine "$bin/scenewheel.exe" >/dev/null 2>&1 &
pid=$!
cleanup() {
  wine "$probe" command 2 >/dev/null 2>&1 || true
  local deadline=$((SECONDS + 20))
  while kill -0 $pid 2>/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.2; done
  kill $pid 2>/dev/null || true
  if [ -n "$old" ]; then wine reg add "$key" /ve /d "$old" /f >/dev/null 2>&1; fi
  rm -f "$shot" "$log"
}
trap cleanup EXIT

rect=""
deadline=$((SECONDS + 60))
until rect=$(wine "$probe" rect 1620 2>/dev/null | tr -d '\r') && [ -n "$rect" ] || [ $SECONDS -ge $deadline ]; do sleep 0.2; done
[ -n "$rect" ] || fail "the dialog did not open"
read -r x y w h <<<"$rect"
cx=$((x + w / 2)); cy=$((y + h / 2))

# Pixels of the label's text in one colour, from a screenshot of the screen.
count() {
  import -window root "$shot"
  convert "$shot" -crop "${w}x${h}+${x}+${y}" +repage txt:- | grep -ci "#$1" || true
}

# Waits up to 20 s (a repaint under emulation comes late) until the label
# shows only the colour $1 (hex) and none of $2.
expect() {
  local deadline=$((SECONDS + 20)) want other
  while :; do
    want=$(count "$1"); other=$(count "$2")
    [ "$want" -gt 10 ] && [ "$other" -eq 0 ] && { echo "$3: #$1 $want"; return 0; }
    [ $SECONDS -lt $deadline ] || fail "$3: #$1 $want, #$2 $other"
    sleep 0.2
  done
}

xdotool mousemove "$cx" "$cy"
expect FF0000 0000FF "over"
xdotool mousemove 5 5
expect 0000FF FF0000 "left"

xdotool mousemove "$cx" "$cy" click 1
deadline=$((SECONDS + 30))
while [ ! -s "$log" ] && [ $SECONDS -lt $deadline ]; do sleep 0.2; done
[ -s "$log" ] || fail "the click opened nothing"
grep -q "http://orvandale.example/scenewheel/" "$log" || fail "the click opened another target"
echo "PASS"
