# Sourced by the end-to-end scripts that drive the real game: waiting with a deadline, the
# game's process, and the one stage that a push to the right clears.

# wait_for SECONDS COMMAND...: runs COMMAND until it succeeds or SECONDS have passed.
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}

# The game started in the background, by its process id in $pid.
running() { kill -0 "$pid" 2>/dev/null; }
ended() { ! running; }

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

# hold_until KEY SECONDS COMMAND...: holds KEY down until COMMAND succeeds or SECONDS have
# passed, then lets it go. A key that a scene must see is held until what it causes is seen.
hold_until() {
  local key=$1 seconds=$2 result=0
  shift 2
  xdotool keydown "$key"
  wait_for "$seconds" "$@" || result=1
  xdotool keyup "$key"
  return "$result"
}
