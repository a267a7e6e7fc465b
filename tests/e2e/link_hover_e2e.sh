# The link labels with the real pointer: moving onto the site label turns
# its text red, moving away turns it blue again, and a click hands the site
# address to the shell's open action (here a harmless recorder, so nothing
# is opened on the network). Needs DISPLAY and the Wine prefix of the run.
set -eu
bin=$1
probe="$bin/dialog_probe.exe"
shot=$(mktemp --suffix=.png)
log="$bin/url_log.txt"
rm -f "$log"
fail() { echo "FAIL: $*"; exit 1; }

# The shell's open action for web addresses goes to the recorder for the
# length of this test.
key='HKCR\http\shell\open\command'
old=$(wine reg query "$key" /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
recorder=$(winepath -w "$bin/url_recorder.exe")
wine reg add "$key" /ve /d "\"$recorder\" \"%1\"" /f >/dev/null 2>&1

wine "$bin/scenewheel.exe" >/dev/null 2>&1 &
pid=$!
cleanup() {
  wine "$probe" command 2 >/dev/null 2>&1 || true
  sleep 1
  kill $pid 2>/dev/null || true
  if [ -n "$old" ]; then wine reg add "$key" /ve /d "$old" /f >/dev/null 2>&1; fi
  rm -f "$shot" "$log"
}
trap cleanup EXIT

rect=""
for _ in $(seq 1 100); do
  rect=$(wine "$probe" rect 1620 2>/dev/null | tr -d '\r') && [ -n "$rect" ] && break
  sleep 0.2
done
[ -n "$rect" ] || fail "the dialog did not open"
read -r x y w h <<<"$rect"
cx=$((x + w / 2)); cy=$((y + h / 2))

# Pixels of the label's text in one colour, from a screenshot of the screen.
count() {
  import -window root "$shot"
  convert "$shot" -crop "${w}x${h}+${x}+${y}" +repage txt:- | grep -ci "#$1" || true
}

xdotool mousemove 5 5; sleep 0.5
blue=$(count 0000FF); red=$(count FF0000)
echo "away: blue $blue red $red"
[ "$blue" -gt 10 ] && [ "$red" -eq 0 ] || fail "the label is not blue at first"

xdotool mousemove "$cx" "$cy"; sleep 0.5
blue=$(count 0000FF); red=$(count FF0000)
echo "over: blue $blue red $red"
[ "$red" -gt 10 ] && [ "$blue" -eq 0 ] || fail "the label did not turn red under the pointer"

xdotool mousemove 5 5; sleep 0.6   # a few 100 ms ticks
blue=$(count 0000FF); red=$(count FF0000)
echo "left: blue $blue red $red"
[ "$blue" -gt 10 ] && [ "$red" -eq 0 ] || fail "the label did not turn blue again"

xdotool mousemove "$cx" "$cy" click 1
for _ in $(seq 1 50); do [ -s "$log" ] && break; sleep 0.2; done
[ -s "$log" ] || fail "the click opened nothing"
echo "opened: $(tr -d '\r' <"$log")"
grep -q "http://orvandale.example/scenewheel/" "$log" || fail "the click opened another target"
echo "PASS"
