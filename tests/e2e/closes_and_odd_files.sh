#!/usr/bin/env bash
# The real game under Xvfb, closed the instant it shows, and with a FIFO for quorel.dat:
#   - a window manager's close sent as soon as the window is visible, ten starts in a row: each
#     ends with status 0 and writes quorel.dat, so the close went through FormClose;
#   - F9 (full screen) and SIGTERM (windowed) end it the same way;
#   - quorel.dat a FIFO: the game starts without waiting on it, says at F9 that it could not
#     save and why, ends with status 0, and the FIFO is still there;
#   - no display at all: a windowed start says the display failed, asks nothing and ends with
#     status -1 (255), rather than running where nobody sees it.
# Usage: closes_and_odd_files.sh QUOREL_EXECUTABLE X11_WINDOW_HELPER
set -euo pipefail
exe=$1
x11_window=$2
# shellcheck source=xvfb_session.sh
. "$(dirname "$0")/xvfb_session.sh"

# The game keeps quorel.dat beside its executable: run a copy in the work folder.
cp "$exe" "$work/quorel"
cd "$work"
pid=""

fail() {
  echo "FAIL: $*"
  [ -s stderr.txt ] && { echo "the game said:"; cat stderr.txt; }
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    if command -v gdb >/dev/null; then
      echo "the game is still running here:"
      gdb -p "$pid" -batch -ex "thread apply all bt 12" 2>/dev/null | grep -E "^#|^Thread" | head -60 || true
    fi
    kill -9 "$pid" 2>/dev/null || true
  fi
  exit 1
}

start() {  # parameters of the game; a fresh start without quorel.dat
  rm -f quorel.dat
  ./quorel "$@" 2>>stderr.txt &
  pid=$!
}

wait_exit() {  # waits up to 20 s for the game to end; its exit status in $status
  for _ in $(seq 200); do
    if ! kill -0 "$pid" 2>/dev/null; then
      status=0
      wait "$pid" || status=$?
      pid=""
      return 0
    fi
    sleep 0.1
  done
  return 1
}

ended_through_form_close() {  # what was done
  wait_exit || fail "$1: the game did not end"
  [ "$status" = 0 ] || fail "$1: exit status $status"
  [ -f quorel.dat ] && tr -d '\r' <quorel.dat | grep -qx 'SUM=6913' || fail "$1: quorel.dat was not written"
}

# 1. A close as soon as the window shows.
for try in $(seq 10); do
  start w
  "$x11_window" close-when-shown quorel 20 >/dev/null || fail "start $try: no window"
  ended_through_form_close "start $try, closed as its window showed"
done
echo "ok: 10 closes sent as the window showed"

# 2. F9 and SIGTERM.
start
win=$("$x11_window" wait quorel 20) || fail "F9: no window"
xdotool windowfocus "$win"
xdotool key F9
ended_through_form_close "F9"
start w
"$x11_window" wait quorel 20 >/dev/null || fail "SIGTERM: no window"
kill -TERM "$pid"
ended_through_form_close "SIGTERM"
echo "ok: F9 and SIGTERM"

# 3. quorel.dat a FIFO.
rm -f quorel.dat
mkfifo quorel.dat
./quorel w 2>>stderr.txt &
pid=$!
win=$("$x11_window" wait quorel 20) || fail "FIFO: no window; start-up waits on quorel.dat"
xdotool windowfocus "$win"
xdotool key F9
"$x11_window" close-when-shown quorel 20 "$win" >/dev/null || fail "FIFO: no message box at the close"
wait_exit || fail "FIFO: the game did not end after its message"
[ "$status" = 0 ] || fail "FIFO: exit status $status"
[ -p quorel.dat ] || fail "FIFO: quorel.dat was replaced"
grep -q "quorel.dat is not a regular file; it was left as it is" stderr.txt || fail "FIFO: the game did not say why"
echo "ok: a FIFO for quorel.dat"

# 4. No display: SDL finds none and would fall back to its offscreen driver. A machine with a
# console display (/dev/dri) may serve one, so the check needs none there.
if [ -e /dev/dri ]; then
  echo "skipped: no display (this machine has a console display)"
else
  : >stderr.txt
  env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER ./quorel w 2>stderr.txt &
  pid=$!
  wait_exit || fail "no display: the game did not end"
  [ "$status" = 255 ] || fail "no display: exit status $status"
  grep -q "DirectDrawの初期化に失敗しました" stderr.txt || fail "no display: the failure was not reported"
  if grep -q "フルスクリーンにしよっか" stderr.txt; then fail "no display: the depth question was asked"; fi
  echo "ok: no display"
fi
echo "4 passed, 0 failed"
