#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The manual pages name every command and option the programs' own help
# names, render without a warning, and the bash completion offers the
# commands and a command's options.
#   test_man_pages.sh RES_DIR KESTRA_CLI [KESTRA]
set -uo pipefail
res=$1; cli=$2; gui=${3:-}
failed=0
fail() { echo "FAIL: $*"; failed=1; }

covers() { # page, help text: every word that is a command or an option
  local page=$1 text=$2 word rendered
  rendered=$(MANWIDTH=200 man -l "$page" 2>/dev/null | col -bx)
  # Options stand after a blank, '[' or '|' (not "kestra-cli" inside a word).
  for word in $(grep -oE -- '(^|[][ |,])--?[a-z][-a-z]*' <<<"$text" | sed 's/^[][ |,]//' | sort -u); do
    grep -qF -- "$word" <<<"$rendered" || fail "$(basename "$page") does not name $word"
  done
}

help=$("$cli" --help)
covers "$res/man/kestra-cli.1" "$help"
page=$(MANWIDTH=200 man -l "$res/man/kestra-cli.1" 2>/dev/null | col -bx)
for command in $(sed -n 's/^  \([a-z][-a-z]*\)\( .*\)\?$/\1/p' <<<"$help"); do
  grep -qE "^ +$command( |$)" <<<"$page" || fail "kestra-cli.1 has no entry for $command"
done
if [ -n "$gui" ]; then
  covers "$res/man/kestra.1" "$(QT_QPA_PLATFORM=offscreen "$gui" --help)"
fi
for page in "$res"/man/*.1; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$(basename "$page") renders with warnings: $warnings"
done

completion() { # words...; prints the candidates for the last word
  bash -c 'shopt -s extglob; source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
           _kestra_cli; printf "%s\n" "${COMPREPLY[@]}"' _ "$res/completion/kestra-cli" "$@"
}
[ "$(completion "$cli" import)" = import-csv ] || fail "completion of 'import'"
completion "$cli" read --b | grep -qx -- --base || fail "completion of 'read --b'"
completion "$cli" calibration "" | grep -qx write || fail "completion of 'calibration '"
[ "$(completion "$cli" --lang en sett)" = settings ] || fail "completion of '--lang en sett'"
[ "$(completion "$cli" --lang "" | tr '\n' ' ')" = "zh en " ] || fail "completion of '--lang '"
[ "$(completion "$cli" arrange --mo)" = --move ] || fail "completion of 'arrange --mo'"

[ $failed -eq 0 ] && echo "man pages and completion: ok"
exit $failed
