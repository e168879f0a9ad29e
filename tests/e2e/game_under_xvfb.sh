#!/usr/bin/env bash
# The real program in a real window under Xvfb, driven with real key presses:
#   - "quorel w" opens a 640 x 480 window; F9 closes it with status 0 and writes quorel.dat
#     (SUM 6913 on a first run);
#   - "quorel" without parameters fills the screen;
#   - test play of a hand-written stage set: one push clears it, button 1 ends the program.
# Usage: game_under_xvfb.sh QUOREL_EXECUTABLE
set -euo pipefail
exe=$1
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  # Waiting for the server to be gone keeps its display number from being handed out again
  # while it still answers.
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# A 16-bit screen matches the default BIT setting, so a windowed start asks no question.
# Xvfb picks a free display itself and tells its number through the file; -noreset keeps it
# from restarting (and refusing connections meanwhile) each time its last client leaves.
Xvfb -displayfd 3 -screen 0 1024x768x16 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "FAIL: Xvfb did not start"; exit 1; }
display=:$(head -n 1 "$work/display")
export DISPLAY=$display SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy TMPDIR=$work
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

# The game keeps quorel.dat beside its executable: run a copy in a folder of our own.
cp "$exe" "$work/quorel"
cd "$work"

fail() {
  echo "FAIL: $*"
  for id in $(xdotool search --name quorel 2>/dev/null); do
    echo "window $id: $(geometry "$id" 2>/dev/null) $(xwininfo -id "$id" 2>/dev/null | grep -E 'Map State' | tr -s ' ')"
  done
  [ -s "$work/stderr.txt" ] && { echo "the game said:"; cat "$work/stderr.txt"; }
  if [ -n "${pid:-}" ] && kill -0 "$pid" 2>/dev/null && command -v gdb >/dev/null; then
    echo "the game is still running here:"
    gdb -p "$pid" -batch -ex "thread apply all bt 12" 2>/dev/null | grep -E "^#|^Thread" | head -60
  fi
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
  exit 1
}

wait_exit() {  # pid: waits up to 10 s for the process to end, then reaps it into $status
  for _ in $(seq 100); do
    if ! kill -0 "$1" 2>/dev/null; then
      status=0
      wait "$1" || status=$?
      return 0
    fi
    sleep 0.1
  done
  kill "$1" 2>/dev/null || true
  return 1
}

geometry() { xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: //p'; }

# Waits until the game shows a window of the given size and keeps it for a second (the
# renderer may replace the first window it makes); prints its id.
window_of_size() {
  local id
  for id in $(xdotool search --onlyvisible --name '^quorel$' 2>/dev/null); do
    if [ "$(geometry "$id" 2>/dev/null)" = "$1" ]; then echo "$id"; return 0; fi
  done
  return 1
}
wait_window_of_size() {
  for _ in $(seq 100); do
    local first second
    if first=$(window_of_size "$1"); then
      sleep 1
      if second=$(window_of_size "$1") && [ "$first" = "$second" ]; then
        echo "$second"
        return 0
      fi
    fi
    sleep 0.1
  done
  return 1
}

# 1. Windowed start, F9.
./quorel w 2>>"$work/stderr.txt" & pid=$!
win=$(wait_window_of_size 640x480) || fail "no 640x480 window for 'quorel w'"
xdotool windowfocus "$win"; xdotool key F9
wait_exit $pid || fail "F9 did not close the game"
[ "$status" = 0 ] || fail "exit status $status after F9"
tr -d '\r' < quorel.dat | grep -qx 'SUM=6913' || fail "quorel.dat has no SUM=6913"
echo "ok: windowed start, F9, quorel.dat"

# 2. Full screen.
./quorel 2>>"$work/stderr.txt" & pid=$!
win=$(wait_window_of_size 1024x768) || fail "no window filling the screen for 'quorel'"
xdotool windowfocus "$win"; xdotool key F9
wait_exit $pid || fail "F9 did not close the full-screen game"
[ "$status" = 0 ] || fail "exit status $status after F9 in full screen"
echo "ok: full screen"

# 3. Test play: the player stands left of two blocks of value 3; walking right merges them.
grid=""
for y in $(seq 0 13); do
  for x in $(seq 0 19); do
    if [ "$y" -ge 3 ] && [ "$y" -le 8 ] && [ "$x" -ge 2 ] && [ "$x" -le 16 ]; then
      if [ "$y" = 5 ] && { [ "$x" = 5 ] || [ "$x" = 6 ]; }; then grid+=C; else grid+=0; fi
    else
      grid+=1
    fi
  done
done
printf '2\r\nE2E\r\n3\r\n5\r\n6\r\n%s\r\n' "$grid" > "$work/\$\$\$qrl\$\$\$.tmp"
./quorel 1 2>>"$work/stderr.txt" & pid=$!
win=$(wait_window_of_size 1024x768) || fail "no window for test play"
sleep 1
xdotool windowfocus "$win"; xdotool key z         # closes the information window
sleep 4                                # reveal and status line
xdotool keydown Right
sleep 0.6
xdotool keyup Right
sleep 1
xdotool keydown z      # leaves the clear: test play ends
sleep 0.2
xdotool keyup z
wait_exit $pid || fail "test play did not end after the clear"
[ "$status" = 0 ] || fail "exit status $status after test play"
echo "ok: test play cleared and closed"
echo "3 passed, 0 failed"
