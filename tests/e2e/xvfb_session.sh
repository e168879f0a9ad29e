# Sourced by the end-to-end scripts: a work folder and an Xvfb server of their own, both gone
# when the script ends. Sets $work, defines wait_for and xvfb_cleanup (the EXIT trap; a script
# with more to clean up calls it from its own trap) and exports DISPLAY, SDL_VIDEODRIVER,
# SDL_AUDIODRIVER and TMPDIR (the work folder). Exits 77 (skipped) when Xvfb or xdotool is missing.
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

# wait_for SECONDS COMMAND...: runs COMMAND until it succeeds or SECONDS have passed.
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

work=$(mktemp -d)
xvfb_pid=""
xvfb_cleanup() {
  # Waiting for the server to be gone keeps its display number from being handed out again
  # while it still answers.
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap xvfb_cleanup EXIT

# A 16-bit screen matches the default BIT setting, so a windowed start asks no question.
# Xvfb picks a free display itself and tells its number through the file; -noreset keeps it
# from restarting (and refusing connections meanwhile) each time its last client leaves.
# The deadlines are long: a busy machine may take its time.
Xvfb -displayfd 3 -screen 0 1024x768x16 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
wait_for 60 test -s "$work/display" || { echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=:$(head -n 1 "$work/display") SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy TMPDIR=$work
wait_for 60 xdotool getmouselocation >/dev/null 2>&1 || { echo "FAIL: Xvfb does not answer"; exit 1; }
