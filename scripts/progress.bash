# Sourced by the user's commands (scripts/run, scripts/web, scripts/package, scripts/release): each
# says what it starts, and a build shows how far it is without filling the screen.
#
# Both write to stderr, so that what a command prints on stdout (a package's path, the server's
# address) stays the last thing there for whoever reads it.

# step MESSAGE: says what starts now, e.g. "Building the arm64 package (about a minute)...".
step() {
  echo "$*" >&2
}

# quietly COMMAND...: runs a build step and holds its output back. On a terminal each line it
# prints (CMake's "[ 45%] Building CXX object ..." among them) replaces the one before on a
# single line, cleared at the end; into a file or a pipe nothing is shown. If the step fails,
# everything it printed follows in full, its compiler errors included. Returns its status.
quietly() {
  local log fd status=0
  # The output goes to a file removed at once and read back through its descriptor, so that
  # nothing is left behind however the step ends.
  log=$(mktemp) || return
  exec {fd}<>"$log"
  rm -f "$log"
  if [[ -t 2 ]]; then
    # In braces the shell itself opens the line's reader, so $! is the reader's id.
    { "$@"; } > >(tee "/dev/fd/$fd" | on_one_line) 2>&1 || status=$?
    wait "$!"  # the line is cleared before anything else is written
  else
    "$@" >&"$fd" 2>&1 || status=$?
  fi
  # awk ends the last line, should the step have left it open.
  ((status == 0)) || awk 1 "/dev/fd/$fd" >&2
  exec {fd}>&-
  return "$status"
}

# on_one_line: shows each line it reads on the terminal in place of the one before, cut to its
# width, and clears it at the end.
on_one_line() {
  local width=0 line
  read -r _ width < <(stty size <&2 2>/dev/null) || true
  ((width > 1)) || width=80
  # Interrupted, it leaves no half line behind.
  trap 'printf "\r\033[K" >&2; exit 130' INT TERM
  while IFS= read -r line || [[ -n $line ]]; do
    line=${line//$'\t'/ }
    printf '\r\033[K%s' "${line:0:width-1}" >&2
  done
  printf '\r\033[K' >&2
}
