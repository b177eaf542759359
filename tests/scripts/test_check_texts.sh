#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/check-texts passes on the tree, lupdate extracts the shown texts of
# every layer and none of the names of files and settings, and the check fails
# on each planted escape from the text seam.
set -uo pipefail
script="$1"; tree="$2"; export LUPDATE="$3"
source "$(dirname "$0")/planted_tree.sh"
check() { # description, then a command that must succeed
  local what=$1; shift
  if "$@"; then pass; else fail "$what"; fi
}
plant() { planted "$3" "$4"; expect "$1" "$2" "$tmp/t"; } # expected status, description, file, line

check "the tree as it is" "$script" --keep "$tmp/kestra.ts" "$tree"
has() { grep -qF "<source>$1</source>" "$tmp/kestra.ts"; }
# One text of each layer and kind: link message, menu, grid cell, grid header,
# a composed core message, an ASCII label.
for text in "通信出错" "读频" "无" "接收频率" "无法打开文件“%1”：%2" "IE Control Bar"; do
  check "lupdate extracts \"$text\"" has "$text"
done
for name in "Program.ini" "*.dat" "Setup" "BackGround.bmp" "Recent File List"; do
  check "\"$name\" is not marked for translation" bash -c "! grep -qF '<source>$name</source>' '$tmp/kestra.ts'"
done

plant fail "unmarked Chinese literal in ui" src/ui/dialogs/about_dlg.cpp \
  'static const char* const kStray = "读频完成";'
plant fail "unmarked Chinese literal in core" src/core/document/dat_file.cpp \
  'static const char* const kStray = "写频完成";'
plant fail "second translation context" src/ui/app/ui_texts.h \
  'inline constexpr const char* kStray = KESTRA_TEXT("other", "初始化完成");'
plant fail "file name marked" src/ui/app/ui_texts.h \
  'inline constexpr const char* kStray = KESTRA_TEXT("kestra", "Default.dat");'
plant fail "text extracted through another macro" src/link/link_texts.h \
  'inline constexpr const char* kStray = QT_TRANSLATE_NOOP("kestra", "Stray");'
plant fail "English message outside the seam" src/core/forms/form_driver.cpp \
  'static const char* const kStray = "the field is disabled";'
plant ok "English the user never sees, marked so" src/ui/widgets/channel_print.cpp \
  'static const char* const kFont = "Noto Sans CJK SC"; // not shown: a font family'
plant ok "Chinese in comments and marked texts" src/ui/app/main_frame.cpp \
  '// "读频完成" /* "写频完成" */ static const char* const kShown = KESTRA_TEXT("kestra", "初始化完成");'
finish
