#!/usr/bin/env bash
# The real game under Xvfb with two user stage sets beside it, played with real keys:
#   - the folder holds a-one.qrl (one stage) and b-fourteen.qrl (fourteen stages), and a
#     quorel.dat with records of the built-in stages;
#   - from a normal start, USERS STAGE in the Title menu lists both sets over the red mosaic;
#   - the one-stage set is started and cleared with one push to the right; its short ending
#     returns to the Title menu;
#   - F9 closes the game: a-one.dat beside it holds the record of the clear with a correct SUM,
#     the other set has no record file, and quorel.dat still holds the built-in records.
# Usage: user_sets_under_xvfb.sh QUOREL_EXECUTABLE ASSET_FOLDER
# QUOREL_E2E_KEEP=FILE.png keeps the last screenshot taken when a step fails.
#
# Every step waits for what it needs, with a deadline: a window, a frame that shows what a
# scene draws, the process's end. Screenshots are of the game's 640 x 480 window; the 16-bit
# screen rounds colours, so pictures are compared within a tolerance.
set -euo pipefail
exe=$1
assets=$(cd "$2" && pwd)
for tool in import convert compare; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
# shellcheck source=xvfb_session.sh
. "$(dirname "$0")/xvfb_session.sh"
# shellcheck source=game_steps.sh
. "$(dirname "$0")/game_steps.sh"

pid=""
stop_game() { [ -n "$pid" ] && kill "$pid" 2>/dev/null || true; }
trap 'stop_game; xvfb_cleanup' EXIT

# The game keeps quorel.dat and the record files beside its executable, and lists the stage
# files of its working folder: a copy in the work folder, run there.
cp "$exe" "$work/quorel"
cd "$work"

# Every stage cleared by one push to the right: 1 block move.
grid=$(one_push_grid)
write_set() {  # file stages
  { printf '%s\r\nE2E\r\n' "$(($2 + 1))"
    for _ in $(seq "$2"); do printf '3\r\n5\r\n6\r\n%s\r\n' "$grid"; done; } >"$1"
}
write_set a-one.qrl 1
write_set b-fourteen.qrl 14

# Built-in records 12, 20 and 31 for stages 1 to 3, the rest never cleared, continue value 4:
# their check value is 5899.
builtin_records() {
  printf '[MINIMUM]\r\nSTAGE1=12\r\nSTAGE2=20\r\nSTAGE3=31\r\n'
  for s in $(seq 4 20); do printf 'STAGE%s=999\r\n' "$s"; done
  printf '[CONFIG]\r\nCONTINUE=4\r\nSUM=5899\r\n'
}
builtin_records >quorel.dat

fail() {
  echo "FAIL: $*"
  [ -s stderr.txt ] && { echo "the game said:"; cat stderr.txt; }
  if [ -n "${QUOREL_E2E_KEEP:-}" ] && [ -s screen.png ]; then
    cp screen.png "$QUOREL_E2E_KEEP" && echo "the last screenshot is $QUOREL_E2E_KEEP"
  fi
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null && command -v gdb >/dev/null; then
    echo "the game is still running here:"
    gdb -p "$pid" -batch -ex "thread apply all bt 12" 2>/dev/null | grep -E "^#|^Thread" | head -60 || true
  fi
  exit 1
}

# The game's visible 640 x 480 window; looked up again before each use, as the renderer may
# replace the first window it makes.
game_window() {
  local id
  for id in $(xdotool search --onlyvisible --name '^quorel$' 2>/dev/null); do
    if xdotool getwindowgeometry "$id" 2>/dev/null | grep -q 'Geometry: 640x480'; then echo "$id"; return 0; fi
  done
  return 1
}

focus_game() {
  local id
  id=$(game_window) || return 1
  xdotool windowfocus "$id" 2>/dev/null || return 1
  [ "$(xdotool getwindowfocus 2>/dev/null)" = "$id" ]
}

shot() {
  local id
  id=$(game_window) || return 1
  import -window "$id" screen.png 2>/dev/null
}

# picture_shown PICTURE WxH+LEFT+TOP X Y: whether the last screenshot shows that part of the
# picture (a .bmp of the asset folder) with its corner at (X, Y). Its black pixels are not
# compared; of the others, at most a tenth may differ (rounded edges, text drawn over it).
picture_shown() {
  local size=${2%%+*}
  convert "$assets/$1" -crop "$2" +repage want.png
  convert want.png -fill white +opaque black mask.png
  local pixels differing
  pixels=$(convert mask.png -format '%[fx:round(mean*w*h)]' info:)
  convert screen.png -crop "$size+$3+$4" +repage mask.png -compose multiply -composite seen.png || return 1
  differing=$(compare -metric AE -fuzz 15% seen.png want.png null: 2>&1) || true
  differing=${differing%% *}
  [[ $differing =~ ^[0-9]+$ ]] && [ "$pixels" -gt 0 ] && [ "$differing" -lt $((pixels / 10)) ]
}

# The Title menu at rest with its highlight bar (the left end of "cur") on entry $1.
title_cursor_on() { shot && picture_shown cur.bmp 28x18+0+0 210 $((279 + 20 * $1)); }

# How many pixels of the area WxH+X+Y are bright enough to be letters of the font.
letter_pixels() {
  convert screen.png -crop "$1" +repage -fx 'r > 0.6 && b > 0.6' -format '%[fx:round(mean*w*h)]' info:
}

# Whether the last screenshot shows the User stage select's dark red mosaic beside the list.
mosaic_seen() {
  local colour red green blue
  colour=$(convert screen.png -format '%[fx:int(255*p{600,200}.r)] %[fx:int(255*p{600,200}.g)] %[fx:int(255*p{600,200}.b)]' info:)
  read -r red green blue <<<"$colour"
  [ "$red" -ge 60 ] && [ "$red" -le 100 ] && [ "$green" -le 8 ] && [ "$blue" -le 70 ]
}
# The list itself: the mosaic and the heading above the labels (the reveal shows the mosaic alone).
user_list_shown() { shot && mosaic_seen && [ "$(letter_pixels 384x16+20+0)" -gt 50 ]; }
user_list_left() { shot && ! mosaic_seen; }

# Waits until the list has shown two new frames: the mosaic changes on every pass, and the
# later of two new frames comes from a pass that began after the call.
two_new_list_frames() {
  local deadline=$((SECONDS + 60)) changes=0 last now
  shot || return 1
  last=$(convert screen.png -crop 64x64+576+96 +repage rgb:- | md5sum)
  while [ "$changes" -lt 2 ]; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    shot || continue
    mosaic_seen || return 1
    now=$(convert screen.png -crop 64x64+576+96 +repage rgb:- | md5sum)
    if [ "$now" != "$last" ]; then
      changes=$((changes + 1))
      last=$now
    fi
  done
}

clear_banner_shown() { shot && picture_shown title.bmp 640x115+0+190 0 86; }
ending_shown() { shot && picture_shown endingfont.bmp 640x60+0+0 0 30; }

# 1. A normal start; the Logo hands over to the Title menu by itself.
./quorel w 2>>stderr.txt & pid=$!
wait_for 60 focus_game || fail "no window for 'quorel w'"
wait_for 120 title_cursor_on 0 || fail "no Title menu with its cursor on GAMESTART"
echo "ok: the Title menu"

# 2. USERS STAGE. The menu asks for Down once a pass, so a tap moves the bar exactly once.
# Button 1 is asked twice a pass (for the latch, then to choose), and a tap would be spent on
# the first: it is held until what it causes is seen.
xdotool key Down
wait_for 30 title_cursor_on 1 || fail "Down did not move the cursor to USERS STAGE"
hold_until z 60 user_list_shown || fail "USERS STAGE did not lead to the list of stage files"
[ "$(letter_pixels 400x16+20+30)" -gt 50 ] || fail "the first stage file is not listed"
[ "$(letter_pixels 400x16+20+46)" -gt 50 ] || fail "the second stage file is not listed"
[ "$(letter_pixels 400x16+20+62)" = 0 ] || fail "a third stage file is listed"
echo "ok: the list of the two stage sets"

# 3. Start the first set (the cursor is on it) and clear its stage. Button 1 acts once the list
# has seen it released; the intro and play ignore it held. Right is held from the intro on;
# the intro ignores it, play then walks and pushes.
focus_game || fail "the window lost the keyboard"
two_new_list_frames || fail "the list did not go on after button 1 was released"
hold_until z 60 user_list_left || fail "button 1 did not start the first set"
hold_until Right 300 clear_banner_shown || fail "no clear banner after pushing right"
# Button 1 held leaves the stage; after the set's last stage the Ending follows.
hold_until z 120 ending_shown || fail "no Ending after the set's only stage"
echo "ok: the stage cleared, the Ending"
# A set of one stage ends after its congratulation; the Title menu keeps its cursor.
wait_for 120 title_cursor_on 1 || fail "the short Ending did not return to the Title menu"
echo "ok: back in the Title menu"

# 4. F9 closes the game; the records.
xdotool key F9
wait_for 60 ended || fail "F9 did not close the game"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" = 0 ] || fail "exit status $status after F9"
record() { tr -d '\r' <"$1" | awk -v section="[$2]" -v key="$3" '
  /^\[/ { inside = ($0 == section); next }
  inside && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }'; }
[ -f a-one.dat ] || fail "no record file a-one.dat"
[ "$(record a-one.dat MINIMUM STAGE1)" = 1 ] || fail "a-one.dat does not hold the record 1 for stage 1"
[ "$(record a-one.dat CONTINUE STAGE)" = 1 ] || fail "a-one.dat does not hold the continue value 1"
# A set of one stage multiplies its continue value by 999, the record of a stage it lacks.
sum=$(((417 * 1 % 8801 + 1 * 999) % 8801))
[ "$(record a-one.dat CONFIG SUM)" = "$sum" ] || fail "a-one.dat does not hold SUM=$sum"
[ ! -e b-fourteen.dat ] || fail "the set not played has a record file"
for stage_record in 1:12 2:20 3:31 4:999 20:999; do
  [ "$(record quorel.dat MINIMUM "STAGE${stage_record%%:*}")" = "${stage_record#*:}" ] ||
    fail "quorel.dat lost the built-in record of stage ${stage_record%%:*}"
done
[ "$(record quorel.dat CONFIG CONTINUE)" = 4 ] || fail "quorel.dat lost the built-in continue value"
[ "$(record quorel.dat CONFIG SUM)" = 5899 ] || fail "quorel.dat has another SUM"
echo "ok: the set's record file and the built-in records"
echo "4 passed, 0 failed"
