#!/usr/bin/env bash
# The whole game from a normal start, played with real key presses under Xvfb:
#   1. start, skip the logo, choose GAMESTART;
#   2. clear built-in stage 1 and reach stage 2's intro;
#   3. F9: quorel.dat holds the record of stage 1 and CONTINUE=2;
#   4. start again: the title shows the stage select line, which starts stage 2;
#   5. start again: in the options BGM goes OFF, Escape returns to the title, and F9 keeps BGM=0.
# Usage: front_end_under_xvfb.sh QUOREL_EXECUTABLE ASSET_FOLDER
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

crop stage_frame_top window3 265x4+0+0
crop floor map 32x32+0+32
text stage1_intro "STAGE:01"
text stage2_intro "STAGE:02"
text select1 "STAGE SELECT:01"
text select2 "STAGE SELECT:02"
text options_heading "----------(((( OPTION ))))----------"
text off "OFF"

in_stage_intro() { see "pictures/stage$1_intro.png" 140 100; }

# --- 1. A normal start, the logo skipped, GAMESTART ---
start_game
skip_logo
bar_on 0 || fail "the cursor is not on GAMESTART"
choose GAMESTART in_stage_intro 1
echo "ok: logo skipped, GAMESTART"

# --- 2. Built-in stage 1, step by step: each key goes down once the step before has ended, that
# is once the cell the player left shows floor again. ---
wait_for 120 see pictures/stage1_intro.png 10 8 || fail "stage 1 did not start"
x=3 y=5
step() {  # KEY DX DY COUNT
  local i
  for ((i = 0; i < $4; i++)); do
    xdotool key "$1"
    wait_for 30 see pictures/floor.png $((32 * x)) $((32 * y + 32)) || fail "no step $1 from ($x, $y)"
    x=$((x + $2)) y=$((y + $3))
  done
}
step Right 1 0 9
step Down 0 1 2
step Right 1 0 5
step Up 0 -1 1
step Left -1 0 5
step Up 0 -1 1
step Right 1 0 4
wait_for 60 clear_banner_shown || fail "no clear banner after the last push"
hold_until z clear_banner_left || fail "button 1 did not leave the clear banner"
wait_for 120 in_stage_intro 2 || fail "stage 2's intro did not come"
echo "ok: stage 1 cleared with real key presses, stage 2's intro"

# --- 3. F9 ---
f9
tr -d '\r' <quorel.dat | grep -qx 'STAGE1=12' || fail "quorel.dat does not hold STAGE1=12"
tr -d '\r' <quorel.dat | grep -qx 'CONTINUE=2' || fail "quorel.dat does not hold CONTINUE=2"
echo "ok: F9 kept the record and CONTINUE=2"

# --- 4. The stage select ---
start_game
skip_logo
see pictures/stage_frame_top.png 196 376 && shown pictures/select1.png 210 380 ||
  fail "the title shows no stage select line"
xdotool key Right
wait_for 30 see pictures/select2.png 210 380 || fail "Right did not select stage 2"
choose "stage 2 from the stage select" in_stage_intro 2
f9
tr -d '\r' <quorel.dat | grep -qx 'CONTINUE=2' || fail "quorel.dat lost CONTINUE=2"
echo "ok: the stage select started stage 2"

# --- 5. The options ---
start_game
skip_logo
xdotool key Down
wait_for 30 bar_on 1 || fail "Down did not move the cursor"
xdotool key Down
wait_for 30 bar_on 2 || fail "Down did not reach OPTION"
choose OPTION see pictures/options_heading.png 32 50
hold_until z see pictures/off.png 420 120 || fail "button 1 did not switch BGM off"
xdotool key Escape
wait_for 60 title_at_rest || fail "Escape did not return to the title"
running || fail "the Escape that left the options closed the game"
f9
tr -d '\r' <quorel.dat | grep -qx 'BGM=0' || fail "quorel.dat does not hold BGM=0"
echo "ok: BGM switched off in the options, Escape back to the title"
echo "5 passed, 0 failed"
