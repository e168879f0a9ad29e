#!/usr/bin/env bash
# The real editor and the real game under Xvfb, driven with real key presses and clicks:
#   1. the editor opens the stage set named on its command line;
#   2. on stage 2, Ctrl+F5 writes the set to the temporary stage file and starts the game
#      beside the editor with the parameter "2"; F9 ends the game;
#   3. F12 and then N close the editor, which removes the temporary stage file.
# Usage: editor_under_xvfb.sh EDITOR_EXECUTABLE QUOREL_EXECUTABLE
set -euo pipefail
editor_exe=$1
game_exe=$2
# shellcheck source=../e2e/xvfb_session.sh
. "$(dirname "$0")/../e2e/xvfb_session.sh"
unset QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME
editor_pid=""
game_pid=""
cleanup() {
  [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null || true
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  xvfb_cleanup
}
trap cleanup EXIT

# The editor starts the game beside itself, and the game keeps quorel.dat beside itself: both
# run as copies in a folder of our own.
cp "$editor_exe" "$work/editor"
cp "$game_exe" "$work/quorel"
cd "$work"
temporary="$work/\$\$\$qrl\$\$\$.tmp"

fail() {
  echo "FAIL: $*"
  xdotool search --name . 2>/dev/null | while read -r id; do
    echo "window $id: \"$(xdotool getwindowname "$id" 2>/dev/null)\" $(xwininfo -id "$id" 2>/dev/null | grep -E 'Map State' | tr -s ' ')"
  done
  for log in editor game; do
    [ -s "$work/$log.txt" ] && { echo "the $log said:"; cat "$work/$log.txt"; }
  done
  exit 1
}

visible_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(visible_window "$1")" ]; }
# The game's renderer may replace the first window it makes: a window counts once the same
# one has been the visible one for a second.
stable_window() {
  local first
  first=$(visible_window "$1")
  [ -n "$first" ] || return 1
  for _ in $(seq 10); do
    sleep 0.1
    [ "$(visible_window "$1")" = "$first" ] || return 1
  done
}
# A process started detached is not ours to reap; once it is a zombie it has ended.
ended() { ! kill -0 "$1" 2>/dev/null || [ "$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" = Z ]; }

# A set of three stages with a walled floor and one block each.
grid() {
  local g="" x y
  for y in $(seq 0 13); do
    for x in $(seq 0 19); do
      if [ "$y" -ge 2 ] && [ "$y" -le 10 ] && [ "$x" -ge 2 ] && [ "$x" -le 16 ]; then
        if [ "$y" = 5 ] && [ "$x" = $((5 + $1)) ]; then g+=$2; else g+=0; fi
      else
        g+=1
      fi
    done
  done
  printf '%s' "$g"
}
printf '4\r\nE2E\r\n3\r\n5\r\n6\r\n%s\r\n4\r\n5\r\n7\r\n%s\r\n5\r\n5\r\n8\r\n%s\r\n' \
  "$(grid 1 C)" "$(grid 2 D)" "$(grid 3 E)" > "$work/e2e.qrl"

# 1. The set named on the command line opens: the caption is its full path.
./editor e2e.qrl 2>"$work/editor.txt" & editor_pid=$!
wait_for 60 has_window "^$work/e2e.qrl\$" || fail "the editor shows no window captioned $work/e2e.qrl"
editor_window=$(visible_window "^$work/e2e.qrl\$")
echo "ok: the editor opened e2e.qrl from its command line"

# 2. Stage 2: a click on the stage slider's handle gives it the keyboard, Right moves it on.
eval "$(xdotool getwindowgeometry --shell "$editor_window")"
client_top=$((Y + HEIGHT - 494))
xdotool windowfocus --sync "$editor_window"
xdotool mousemove --sync $((X + 400)) $((client_top + 478)) click 1
xdotool key Right
xdotool key ctrl+F5
wait_for 60 stable_window '^quorel$' || fail "Ctrl+F5 started no game window"
game_window=$(visible_window '^quorel$')
game_pid=$(xdotool getwindowpid "$game_window") || fail "the game's window names no process"
parameters=$(tr '\0' ' ' < "/proc/$game_pid/cmdline")
[ "$parameters" = "$work/quorel 2 " ] || fail "the game runs as '$parameters', not '$work/quorel 2'"
cmp -s "$temporary" "$work/e2e.qrl" || fail "the temporary stage file does not hold the set"
echo "ok: Ctrl+F5 on stage 2 started $work/quorel 2 with the set in \$TMPDIR/\$\$\$qrl\$\$\$.tmp"

xdotool windowfocus --sync "$game_window"
xdotool key F9
wait_for 60 ended "$game_pid" || fail "F9 did not end the game"
echo "ok: F9 ended the game"

# 3. F12 asks before closing; N closes without saving and removes the temporary file.
xdotool windowfocus --sync "$editor_window"
xdotool key F12
wait_for 60 has_window '^Quorelステージエディタ$' || fail "F12 asked no question"
xdotool windowfocus --sync "$(visible_window '^Quorelステージエディタ$')"
xdotool key n
wait_for 60 ended "$editor_pid" || fail "N did not close the editor"
status=0
wait "$editor_pid" || status=$?
editor_pid=""
[ "$status" = 0 ] || fail "the editor ended with status $status"
[ ! -e "$temporary" ] || fail "the temporary stage file is still there"
echo "ok: F12 and N closed the editor and removed the temporary stage file"
echo "3 passed, 0 failed"
