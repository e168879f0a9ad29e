# Sourced by the end-to-end scripts that run the real game, with the game's executable:
#   . game_session.sh QUOREL_EXECUTABLE
# Starts the Xvfb session (xvfb_session.sh), copies the game into the work folder (the game keeps
# quorel.dat beside its executable) and works there. The game started last is $pid; it is ended
# with the session. Defines fail, the helpers for the game's window and its end, holding a key
# until it acts, and the one-push stage below.
# QUOREL_E2E_KEEP=FILE.png keeps the last screenshot ($work/screen.png) when a step fails.
for tool in import convert compare identify; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
# The folder of these scripts, for what a script sources once it works in the work folder.
e2e_scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=xvfb_session.sh
. "$e2e_scripts/xvfb_session.sh"
pid=""
game_session_cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  xvfb_cleanup
}
trap game_session_cleanup EXIT
cp "$1" "$work/quorel"
cd "$work"

geometry() { xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: //p'; }

fail() {
  echo "FAIL: $*"
  for id in $(xdotool search --name quorel 2>/dev/null); do
    echo "window $id: $(geometry "$id" 2>/dev/null) $(xwininfo -id "$id" 2>/dev/null | grep -E 'Map State' | tr -s ' ')"
  done
  [ -s "$work/stderr.txt" ] && { echo "the game said:"; cat "$work/stderr.txt"; }
  if [ -n "${QUOREL_E2E_KEEP:-}" ] && [ -s "$work/screen.png" ]; then
    cp "$work/screen.png" "$QUOREL_E2E_KEEP" && echo "the last screenshot is $QUOREL_E2E_KEEP"
  fi
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null && command -v gdb >/dev/null; then
    echo "the game is still running here:"
    gdb -p "$pid" -batch -ex "thread apply all bt 12" 2>/dev/null | grep -E "^#|^Thread" | head -60
  fi
  exit 1
}

running() { kill -0 "$pid" 2>/dev/null; }
ended() { ! running; }

# Reaps the game once it has ended, into $status.
reap() {
  status=0
  wait "$pid" || status=$?
  pid=""
}

# Prints the id of the game's visible window of the given size. The renderer may replace the
# first window it makes, so callers look it up again before each use.
window_of_size() {
  local id
  for id in $(xdotool search --onlyvisible --name '^quorel$' 2>/dev/null); do
    if [ "$(geometry "$id" 2>/dev/null)" = "$1" ]; then echo "$id"; return 0; fi
  done
  return 1
}

# Gives the game's window of the given size the keyboard: true once it has it.
focus_window() {
  local id
  id=$(window_of_size "$1") || return 1
  xdotool windowfocus "$id" 2>/dev/null || return 1
  [ "$(xdotool getwindowfocus 2>/dev/null)" = "$id" ]
}

# F9 is handled as a key-down message whenever the game pumps its messages, so one press that
# reaches the focused window is enough; it is pressed again only while the game runs on, in
# case the first went to a window that the renderer then replaced.
close_with_f9() {  # window size
  local deadline=$((SECONDS + 120))
  while running; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    if focus_window "$1"; then
      xdotool key F9
      wait_for 10 ended || true
    else
      sleep 0.2
    fi
  done
}

# hold_until KEY COMMAND...: holds KEY until COMMAND tells that it has acted. A scene's latch may
# still be set from an earlier press when the key goes down; the key is then let go and pressed
# again. COMMAND must become true at once when the key acts, so that no second press acts again.
hold_until() {
  local key=$1 deadline=$((SECONDS + 180))
  shift
  while true; do
    sleep 0.3  # a pass or two with the key up, so that the latch is most likely clear
    xdotool keydown "$key"
    if wait_for 15 "$@"; then xdotool keyup "$key"; return 0; fi
    xdotool keyup "$key"
    [ "$SECONDS" -lt "$deadline" ] || return 1
  done
}

# The grid line of a stage where the player, started at column 3, row 5 (NG number 6), stands
# left of two blocks of value 3: walking right pushes one into the other, and both go.
one_push_grid() {
  local grid="" x y
  for y in $(seq 0 13); do
    for x in $(seq 0 19); do
      if [ "$y" -ge 3 ] && [ "$y" -le 8 ] && [ "$x" -ge 2 ] && [ "$x" -le 16 ]; then
        if [ "$y" = 5 ] && { [ "$x" = 5 ] || [ "$x" = 6 ]; }; then grid+=C; else grid+=0; fi
      else
        grid+=1
      fi
    done
  done
  echo "$grid"
}
