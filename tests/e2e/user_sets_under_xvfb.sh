#!/usr/bin/env bash
# The real game under Xvfb with two user stage sets beside it, played with real keys:
#   1. the folder holds a-one.qrl (one stage) and b-fourteen.qrl (fourteen stages), and a
#      quorel.dat with records of the built-in stages; from a normal start, USERS STAGE in the
#      Title menu lists both sets;
#   2. the one-stage set is started and cleared with one push to the right; its short ending
#      returns to the Title menu;
#   3. F9 closes the game: a-one.dat beside it holds the record of the clear with a correct SUM,
#      the other set has no record file, and quorel.dat still holds the built-in records.
# Usage: user_sets_under_xvfb.sh QUOREL_EXECUTABLE ASSET_FOLDER
# QUOREL_E2E_KEEP=FILE.png keeps the last screenshot taken when a step fails (game_session.sh).
#
# Every step waits for what it needs to see in the window, with a deadline; the game may run
# many times slower than its 60 frames a second on a busy machine. A button that must act is held
# until what it causes is seen, and pressed again if a latch held from before swallowed it.
set -euo pipefail
exe=$1
assets=$(cd "$2" && pwd)
# shellcheck source=game_session.sh
. "$(dirname "$0")/game_session.sh" "$exe"
# shellcheck source=play_steps.sh
. "$e2e_scripts/play_steps.sh"

# The game lists the stage files of its working folder, the work folder. Every stage is cleared
# by one push to the right: 1 block move.
grid=$(one_push_grid)
write_set() {  # file stages
  { printf '%s\r\nE2E\r\n' "$(($2 + 1))"
    for _ in $(seq "$2"); do printf '3\r\n5\r\n6\r\n%s\r\n' "$grid"; done; } >"$1"
}
write_set a-one.qrl 1
write_set b-fourteen.qrl 14

# Built-in records 12, 20 and 31 for stages 1 to 3, the rest never cleared, continue value 4:
# their check value is 5899.
{
  printf '[MINIMUM]\r\nSTAGE1=12\r\nSTAGE2=20\r\nSTAGE3=31\r\n'
  for s in $(seq 4 20); do printf 'STAGE%s=999\r\n' "$s"; done
  printf '[CONFIG]\r\nCONTINUE=4\r\nSUM=5899\r\n'
} >quorel.dat

text heading "PLEASE SELECT USERS DATA"
text first_label "a-one"
text second_label "b-fourteen"
crop congratulation endingfont 640x60+0+0

user_list_shown() { see pictures/heading.png 20 0; }
user_list_left() { shoot && ! shown pictures/heading.png 20 0; }
ending_shown() { see pictures/congratulation.png 0 30; }

# 1. The list.
start_game
skip_logo
bar_on 0 || fail "the cursor is not on GAMESTART"
# The menu asks for Down once a pass, so a tap moves the bar exactly once.
xdotool key Down
wait_for 30 bar_on 1 || fail "Down did not move the cursor to USERS STAGE"
choose "USERS STAGE" user_list_shown
shown pictures/first_label.png 20 30 || fail "a-one.qrl is not listed first"
shown pictures/second_label.png 20 46 || fail "b-fourteen.qrl is not listed second"
echo "ok: USERS STAGE lists the two stage sets"

# 2. The first set (the cursor is on it) started and its stage cleared. Right is held from the
# intro on; the intro ignores it, play then walks and pushes.
hold_until z user_list_left || fail "button 1 did not start the first set"
hold_until Right clear_banner_shown || fail "no clear banner after pushing right"
# After the set's only stage the Ending follows; a set of one stage ends after its
# congratulation, and the Title menu keeps its cursor.
hold_until z clear_banner_left || fail "button 1 did not leave the clear banner"
wait_for 120 ending_shown || fail "no Ending after the set's only stage"
wait_for 120 bar_on 1 || fail "the short Ending did not return to the Title menu"
echo "ok: the one-stage set cleared, its Ending, back in the Title menu"

# 3. The records.
f9
record() {  # file section key
  tr -d '\r' <"$1" | awk -v section="[$2]" -v key="$3" '
    /^\[/ { inside = ($0 == section); next }
    inside && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }'
}
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
echo "3 passed, 0 failed"
