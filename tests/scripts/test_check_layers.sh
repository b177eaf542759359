#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/check-layers passes on the tree and fails on each planted violation.
set -uo pipefail
script="$1"; tree="$2"
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
passed=0; failed=0
expect() { # expected status, description, root
  "$script" "$3" >/dev/null 2>&1; local rc=$?
  if { [ "$1" = ok ] && [ $rc -eq 0 ]; } || { [ "$1" = fail ] && [ $rc -ne 0 ]; }; then
    passed=$((passed + 1))
  else
    echo "FAIL: $2 (status $rc)"; failed=$((failed + 1))
  fi
}
plant() { # description, file, line
  rm -rf "$tmp/t"; mkdir -p "$tmp/t"; cp -r "$tree/src" "$tmp/t/"
  mkdir -p "$(dirname "$tmp/t/$2")"; printf '%s\n' "$3" >>"$tmp/t/$2"
  expect fail "$1" "$tmp/t"
}
expect ok "the tree as it is" "$tree"
plant "Qt header in core" src/core/image/radio_image.h '#include <QString>'
plant "link include in core" src/core/grid/channel_grid.cpp '#include "link/serial_link.h"'
plant "ui include in link" src/link/exchange.cpp '#include "ui/app/ui_texts.h"'
plant "Qt Widgets in link" src/link/serial_link.cpp '#include <QMessageBox>'
plant "QtWidgets module path in link" src/link/transfers.cpp '#  include <QtWidgets/QWidget>'
plant "OS header in core outside os/" src/core/document/dat_file.cpp '#include <sys/stat.h>'
plant "platform conditional in core outside os/" src/core/codec/text.cpp '# if defined(__linux__) && X'
plant "Qt header in core/os" src/core/os/posix.cpp '#include <QFile>'
plant "ui include in cli" src/cli/main.cpp '#include "ui/app/program_app.h"'
rm -rf "$tmp/t"; mkdir -p "$tmp/t"; cp -r "$tree/src" "$tmp/t/"
printf '#include <QByteArray>\n' >>"$tmp/t/src/link/exchange.cpp"
expect ok "QtCore in link" "$tmp/t"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
