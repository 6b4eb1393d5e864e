# Sourced by scripts/run, scripts/test, scripts/record and the package test: runs their long
# steps so that an interrupt stops everything they started at once, and starts the Xvfb
# servers of those that need one.
#
# bash runs a trap only after the foreground command has ended, so every step runs in the
# background and the script waits for it; `wait` returns as soon as a signal comes. With job
# control on, each step is a process group of its own, which is stopped whole: CTest with the
# tests, their Xvfb servers and the programs they drive, or make with its compilers.

set -m
started_groups=()

# start COMMAND...: starts it in the background as a process group of its own; $! is its id.
start() {
  "$@" </dev/null &
  started_groups+=("$!")
}

# run COMMAND...: starts it and waits for it; returns its status. Once it has ended its group
# is forgotten, so a later stop can never hit a new process that got the same id.
run() {
  start "$@"
  local status=0
  wait "$!" || status=$?
  unset 'started_groups[-1]'
  return "$status"
}

# Stops every process group started here that is still alive, the last started first (the
# program before the X server it draws on, so it does not complain of a lost connection):
# SIGTERM, then SIGKILL to what is left of a group after five seconds.
stop_started() {
  set +m  # no job notices for what is being stopped
  local index group
  for ((index = ${#started_groups[@]} - 1; index >= 0; index--)); do
    group=${started_groups[index]}
    kill -TERM -- "-$group" 2>/dev/null || continue
    for _ in $(seq 50); do
      kill -0 -- "-$group" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL -- "-$group" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  started_groups=()
}

# start_xvfb FOLDER: starts an Xvfb server of its own as a started group and sets `display` to
# its name once it accepts clients. Xvfb picks a free display number and writes it to fd 3,
# here FOLDER/display; its messages go to FOLDER/xvfb.log, shown if it has not started within
# ten seconds.
start_xvfb() {
  local folder=$1
  start Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$folder/display" 2>"$folder/xvfb.log"
  for _ in $(seq 100); do
    [[ -s "$folder/display" ]] && break
    sleep 0.1
  done
  if [[ ! -s "$folder/display" ]]; then
    echo "Xvfb did not start:" >&2
    cat "$folder/xvfb.log" >&2
    return 1
  fi
  display=":$(head -n 1 "$folder/display")"
}

# Ends the script on SIGINT (status 130) or SIGTERM (143) after stopping what it started;
# an EXIT trap still runs after it.
stop_on_signals() {
  trap 'trap - INT TERM; stop_started; exit 130' INT
  trap 'trap - INT TERM; stop_started; exit 143' TERM
}
