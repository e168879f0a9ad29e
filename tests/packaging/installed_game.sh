#!/usr/bin/env bash
# The installed game, started from its install folder under Xvfb and ended with F9, keeps its
# quorel.dat in the user's data folder and writes nothing under its prefix, even when it could
# (as root it can), nor into the folder it was started from.
# Usage: installed_game.sh BUILD_FOLDER
set -euo pipefail
build=$1
source "$(dirname "$0")/../e2e/xvfb_session.sh"
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; xvfb_cleanup' EXIT

DESTDIR=$work/root cmake --install "$build" --prefix /usr >/dev/null
export HOME=$work/home
unset XDG_DATA_HOME
mkdir -p "$HOME" "$work/elsewhere"
touch "$work/before"
cd "$work/elsewhere"

fail() {
  echo "FAIL: $*"
  [ -s "$work/stderr.txt" ] && { echo "the game said:"; cat "$work/stderr.txt"; }
  exit 1
}
running() { kill -0 "$pid" 2>/dev/null; }
window() { xdotool search --onlyvisible --name '^quorel$' 2>/dev/null | head -n 1; }
has_window() { [ -n "$(window)" ]; }

"$work/root/usr/bin/quorel" w 2>"$work/stderr.txt" & pid=$!
wait_for 60 has_window || fail "no window for the installed game"
# F9 is pressed again only while the game runs on, in case the first went to a window that the
# renderer then replaced.
deadline=$((SECONDS + 120))
while running; do
  [ "$SECONDS" -lt "$deadline" ] || fail "F9 did not close the installed game"
  id=$(window)
  if [ -n "$id" ] && xdotool windowfocus "$id" 2>/dev/null; then
    xdotool key F9
    wait_for 10 bash -c "! kill -0 $pid 2>/dev/null" || true
  else
    sleep 0.2
  fi
done
status=0
wait "$pid" || status=$?
pid=""
[ "$status" = 0 ] || fail "exit status $status after F9"

saved=$HOME/.local/share/quorel/quorel.dat
[ -f "$saved" ] || fail "no $saved"
tr -d '\r' <"$saved" | grep -qx 'SUM=6913' || fail "$saved has no SUM=6913"
written=$(find "$work/root" -newer "$work/before" ! -type d)
[ -z "$written" ] || fail "written under the prefix: $written"
[ -z "$(ls -A "$work/elsewhere")" ] || fail "written into the working folder: $(ls -A "$work/elsewhere")"
echo "installed game: saved in $saved, nothing under the prefix"
