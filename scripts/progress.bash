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
  # The line the step's output ends with when it succeeded; the reader knows no status.
  local succeeded=$'\x1fsucceeded'
  local -
  set -o pipefail
  { "$@" 2>&1 && printf '\n%s\n' "$succeeded"; } | show_on_one_line "$succeeded"
}

# show_on_one_line END: reads a step's output up to the line END, on a terminal showing each line
# in place of the one before; if the output ends without END, prints all of it.
show_on_one_line() {
  local end=$1 width=0 line lines=()
  if [[ -t 2 ]]; then
    read -r _ width < <(stty size <&2 2>/dev/null) || true
    ((width > 1)) || width=80
    # Interrupted, it leaves no half line behind.
    trap 'printf "\r\033[K" >&2; exit 130' INT TERM
  fi
  while IFS= read -r line || [[ -n $line ]]; do
    if [[ $line == "$end" ]]; then
      ((width == 0)) || printf '\r\033[K' >&2
      return 0
    fi
    lines+=("$line")
    line=${line//$'\t'/ }
    ((width == 0)) || printf '\r\033[K%s' "${line:0:width-1}" >&2
  done
  ((width == 0)) || printf '\r\033[K' >&2
  ((${#lines[@]} == 0)) || printf '%s\n' "${lines[@]}" >&2
}
