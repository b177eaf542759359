#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/check-numbers passes on the tree and fails on each planted
# locale-dependent conversion; integer formats, imbued streams and comments
# pass.
set -uo pipefail
script="$1"; tree="$2"
source "$(dirname "$0")/planted_tree.sh"
plant() { # expected status, description, file, code
  planted "$3" "$4"
  if [ "$1" = ok ]; then
    # Passes when it adds nothing to what the tree itself reports.
    "$script" "$tmp/t" >"$tmp/out" 2>&1
    if ! grep -qF "$3" "$tmp/out"; then pass; else fail "$2"; fi
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
finish
