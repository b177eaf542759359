#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/check-numbers passes on the tree and fails on each planted
# locale-dependent conversion; integer formats, imbued streams and comments
# pass.
set -uo pipefail
script="$1"; tree="$2"
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
passed=0; failed=0
expect() { # expected status, description, root[, the file the failure must name]
  "$script" "$3" >"$tmp/out" 2>&1; local rc=$?
  if { [ "$1" = ok ] && [ $rc -eq 0 ]; } ||
     { [ "$1" = fail ] && [ $rc -eq 1 ] && grep -qF "${4:-check-numbers}" "$tmp/out"; }; then
    passed=$((passed + 1))
  else
    echo "FAIL: $2 (status $rc)"; cat "$tmp/out"; failed=$((failed + 1))
  fi
}
plant() { # expected status, description, file, code
  rm -rf "$tmp/t"; mkdir -p "$tmp/t"; cp -r "$tree/src" "$tmp/t/"
  printf '%s\n' "$4" >>"$tmp/t/$3"
  if [ "$1" = ok ]; then
    # Passes when it adds nothing to what the tree itself reports.
    "$script" "$tree" >"$tmp/tree.out" 2>&1; "$script" "$tmp/t" >"$tmp/out" 2>&1
    if ! grep -qF "$3" "$tmp/out"; then passed=$((passed + 1)); else
      echo "FAIL: $2"; cat "$tmp/out"; failed=$((failed + 1)); fi
  else
    expect "$1" "$2" "$tmp/t" "$3:"
  fi
}
expect ok "the tree as it is" "$tree"
f=src/core/forms/form.cpp
plant fail "atof" $f 'static double Stray(const char* t) { return std::atof(t); }'
plant fail "strtod" src/ui/app/main_frame.cpp 'static double Stray(const char* t) { return strtod(t, nullptr); }'
plant fail "std::stod" $f 'static double Stray(const std::string& t) { return std::stod(t); }'
plant fail "sscanf" src/link/exchange.cpp 'static int Stray(const char* t, int* v) { return std::sscanf(t, "%d", v); }'
plant fail "snprintf %f" $f 'static void Stray(char* b, double v) { std::snprintf(b, 9, "%3.1f", v); }'
plant fail "Format %G" $f 'static std::string Stray(double v) { return kestra::Format("%G", v); }'
plant fail "fprintf %e over two lines" src/cli/main.cpp 'static void Stray(double v) { std::fprintf(stderr,
  "x %.2e\n", v); }'
plant fail "to_string of a double" $f 'static std::string Stray() { double v = 1.5; return std::to_string(v); }'
plant fail "to_string of a cast" $f 'static std::string Stray(int v) { return std::to_string(static_cast<double>(v) * 0.1); }'
plant fail "a stream not imbued" src/cli/args.cpp 'static int Stray(const std::string& t) { std::istringstream in(t); int v = 0; in >> v; return v; }'
plant ok "integers, imbued streams and comments" src/cli/args.cpp '// std::atof(t) "%f"
static std::string Stray(int n) { std::ostringstream out; out.imbue(std::locale::classic()); out << n; return std::to_string(n) + kestra::Format("%03d%%", n); }'
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
