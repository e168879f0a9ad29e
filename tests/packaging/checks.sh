# Sourced by the packaging checks. `needs TOOL...` skips the check (77) when a tool is missing;
# then $work is a folder of the check's own, gone when it ends, `fail` notes a fault and goes on,
# and `finish` ends with the faults' count as the status.
needs() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
finish() {  # MESSAGE on success
  [ "$failures" = 0 ] || exit 1
  echo "$1"
}
