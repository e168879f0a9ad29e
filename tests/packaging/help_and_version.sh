#!/usr/bin/env bash
# Every program answers --help and --version in the GNU manner: the text on standard output,
# nothing on standard error, status 0, and without a display (the game and the editor answer
# before they open one). The game's own parameters keep their meaning: neither option holds a
# "w" or a "b", and a "--" ends the options.
# Usage: help_and_version.sh VERSION QUOREL QRLTOOL MIDIRENDER [EDITOR]
set -euo pipefail
version=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# check PROGRAM NAME: both options, each alone and after another argument.
check() {
  local program=$1 name=$2
  for arguments in "--help" "--version" "x --help" "--version --help"; do
    local status=0
    # shellcheck disable=SC2086
    "$program" $arguments >"$work/out" 2>"$work/err" </dev/null || status=$?
    [ "$status" = 0 ] || fail "$name $arguments: status $status"
    [ ! -s "$work/err" ] || fail "$name $arguments wrote to stderr: $(head -c 300 "$work/err")"
    case $arguments in
      --version*)
        [ "$(head -n 1 "$work/out")" = "$name (quorel) $version" ] ||
          fail "$name $arguments: first line '$(head -n 1 "$work/out")'" ;;
      *)
        grep -qi "^usage: $name" "$work/out" || fail "$name $arguments: no usage line"
        grep -q -- "--version" "$work/out" || fail "$name $arguments: the help does not name --version" ;;
    esac
  done
  # A full standard output is a failure, not a silent success.
  if [ -w /dev/full ]; then
    local status=0
    "$program" --help >/dev/full 2>/dev/null || status=$?
    [ "$status" != 0 ] || fail "$name --help into a full disk: status 0"
  fi
}

check "$1" quorel
check "$2" qrltool
check "$3" midirender
[ $# -ge 4 ] && check "$4" quorel-editor

# After "--" the option is an argument like any other: the game, without a display, reports
# that it cannot open one instead of printing its help.
status=0
SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=x11 "$1" -- --help >"$work/out" 2>"$work/err" </dev/null || status=$?
[ "$status" != 0 ] || fail "quorel -- --help ended with status 0"
! grep -qi "^usage:" "$work/out" || fail "quorel -- --help printed the help"

[ "$failures" = 0 ] || exit 1
echo "help and version: every program answers"
