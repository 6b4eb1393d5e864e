#!/usr/bin/env bash
# imports_test.sh OBJDUMP PROGRAM.exe [FUNCTION...]
#
# Fails if the program imports a DLL outside Windows' own, or a transcendental function from the
# C runtime: their bits differ between runtimes (wine's and Microsoft's), and the simulation's
# results must be the same bits everywhere. Also fails if it does not import each FUNCTION: what
# it must ask of Windows, which no test under wine can see it do.
set -euo pipefail
objdump=$1
program=$2
required=("${@:3}")

table=$("$objdump" -p "$program")
mapfile -t dlls < <(sed -n 's/^\tDLL Name: //p' <<<"$table")
# What the program, freeglut and the static C++ runtime need; each ships with every Windows.
allowed=" ADVAPI32.DLL GDI32.DLL GLU32.DLL KERNEL32.DLL MSVCRT.DLL OPENGL32.DLL USER32.DLL WINMM.DLL "
failed=0
for dll in "${dlls[@]}"; do
  if [[ $allowed != *" ${dll^^} "* ]]; then
    echo "FAIL: imports $dll, which is not one of Windows' own DLLs listed here" >&2
    failed=1
  fi
done

# The imported names follow "DLL Name:" as lines of hint and name. sqrt is no concern: IEEE 754
# asks every implementation for the correctly rounded result.
functions='a?sinh?|a?cosh?|a?tanh?|atan2|sincos|exp|exp2|expm1|exp10|log|log10|log1p|log2|pow|cbrt|hypot|erfc?|tgamma|lgamma'
imported=$(awk '/^\tDLL Name:/ { dll = $3 } dll != "" && NF == 3 && $2 ~ /^[0-9]+$/ { print dll, $3 }' <<<"$table")
transcendental=$(grep -Ei " _?($functions)[fl]?$" <<<"$imported" || true)
if [[ -n $transcendental ]]; then
  echo "FAIL: transcendental functions imported from the runtime:" >&2
  echo "$transcendental" >&2
  failed=1
fi
for function in "${required[@]}"; do
  if ! grep -q " $function\$" <<<"$imported"; then
    echo "FAIL: does not import $function" >&2
    failed=1
  fi
done
((failed == 0)) || exit 1
echo "PASS: imports only from ${dlls[*]}, no transcendental function${required:+, and ${required[*]}}"
