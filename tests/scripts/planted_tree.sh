# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the tests of the check scripts: $script is run on $tree and on
# copies of its src/ with one line planted; the outcomes are counted.
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
passed=0; failed=0
pass() { passed=$((passed + 1)); }
fail() { echo "FAIL: $*"; cat "$tmp/out" 2>/dev/null; failed=$((failed + 1)); }
# expect ok|fail DESCRIPTION ROOT [TEXT]: the script on ROOT exits 0, or
# exits 1 with TEXT in its output.
expect() {
  "$script" "$3" >"$tmp/out" 2>&1; local rc=$?
  if { [ "$1" = ok ] && [ $rc -eq 0 ]; } ||
     { [ "$1" = fail ] && [ $rc -eq 1 ] && grep -qF -- "${4:-}" "$tmp/out"; }; then
    pass
  else
    fail "$2 (status $rc)"
  fi
}
# planted FILE LINE: $tmp/t holds the tree's src/ with LINE added to FILE.
planted() {
  rm -rf "$tmp/t"; mkdir -p "$tmp/t"; cp -r "$tree/src" "$tmp/t/"
  mkdir -p "$(dirname "$tmp/t/$1")"; printf '%s\n' "$2" >>"$tmp/t/$1"
}
finish() { echo "$passed passed, $failed failed"; [ "$failed" -eq 0 ]; }
