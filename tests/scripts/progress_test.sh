#!/usr/bin/env bash
# What the user's commands rely on in scripts/progress.bash: a failed step's status comes back and
# its output follows in full, its last line ended; a step that succeeds shows nothing in a file,
# and on a terminal (script(1) makes one) only its line, cleared at the end.
set -euo pipefail

progress=$(cd "$(dirname "$0")/../../scripts" && pwd)/progress.bash
source "$progress"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

status=0
quietly bash -c 'seq 20000; echo "error: no such file" >&2; printf "Error 2"; exit 3' 2>"$work/failed" ||
  status=$?
((status == 3)) || fail "a step that failed with status 3 returned $status"
{ seq 20000; printf 'error: no such file\nError 2\n'; } | cmp -s - "$work/failed" ||
  fail "the failed step's output is not all there:"$'\n'"$(tail -n 3 "$work/failed")"

quietly bash -c 'echo built; echo warning >&2' 2>"$work/succeeded" || fail "a step that succeeded returned $?"
[[ ! -s $work/succeeded ]] || fail "a step that succeeded printed into a file: $(cat "$work/succeeded")"

terminal=$(script -qec "bash -c 'source \"$progress\"; quietly echo built'" /dev/null) ||
  fail "a step that succeeded on a terminal returned $?"
[[ $terminal == $'\r\e[Kbuilt'*$'\r\e[K' && $terminal != *$'\n'* ]] ||
  fail "on a terminal: $(printf %q "$terminal")"
echo PASS
