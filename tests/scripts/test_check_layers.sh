#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/check-layers passes on the tree and fails on each planted violation.
set -uo pipefail
script="$1"; tree="$2"
source "$(dirname "$0")/planted_tree.sh"
plant() { planted "$2" "$3"; expect fail "$1" "$tmp/t"; } # description, file, line
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
planted src/link/exchange.cpp '#include <QByteArray>'
expect ok "QtCore in link" "$tmp/t"
finish
