#!/usr/bin/env bash
# saver_daemon_test.sh install BUILD_DIR
# saver_daemon_test.sh xscreensaver|mate|xfce BUILD_DIR SAVER_SCREEN
# saver_daemon_test.sh remove BUILD_DIR
#
# The installed package's screen saver in the real screen-saver daemons: `install` installs the
# package the package test made (BUILD_DIR/deb) and, as root, makes a plain user for the daemons
# (XScreenSaver runs no hack as root; as anyone else the test runs them as its own user). Each
# daemon is then set up for Wobblux alone where its own settings keep it, runs in an Xvfb and a
# D-Bus session of its own with a home folder of its own, and is activated: it must start the
# installed hack, and the screen must show the scene (SAVER_SCREEN, from tests/e2e) and move;
# deactivated, it must end the hack. `remove` undoes what `install` did.
#
# Installing needs root, or sudo without a password: without either every step is skipped with
# status 77, as is a daemon that is not installed. Everything it starts it stops.
set -euo pipefail

step=$1
build=$2
saver_screen=${3:-}
source "$(dirname "$0")/../../scripts/jobs.bash"
stop_on_signals

state=$build/saver-daemons  # what install did, for remove; a failed daemon's last screen
hack=/usr/libexec/xscreensaver/wobblux

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
skip() {
  echo "SKIPPED: $*"
  exit 77
}

if [[ $(id -u) -eq 0 ]]; then
  as_root=()
  saver_user=wobblux-saver
  # setpriv runs the command itself, where runuser would wait on it in a process of its own that
  # takes seconds to pass a SIGTERM on.
  as_saver_user=(setpriv --reuid="$saver_user" --regid="$saver_user" --init-groups)
elif sudo -n true 2>/dev/null; then
  as_root=(sudo -n)
  saver_user=$(id -un)
  as_saver_user=()
else
  skip "installing the package needs root, or sudo that asks for no password"
fi

apt_options=(-qq -o DPkg::Lock::Timeout=300)
export DEBIAN_FRONTEND=noninteractive

case $step in
  install)
    mkdir -p "$state"
    if dpkg-query -W -f='${Status}' wobblux 2>/dev/null | grep -q 'install ok installed' &&
      [[ ! -e $state/installed ]]; then
      skip "a wobblux package is installed already, not by this test: it is left alone"
    fi
    debs=("$build"/deb/wobblux_*.deb)
    [[ -f ${debs[0]} ]] || fail "no package in $build/deb: the package test makes it"
    touch "$state/installed"
    # As the README tells users to; apt waits for another install on the machine to finish.
    output=$("${as_root[@]}" apt-get install -y --no-install-recommends "${apt_options[@]}" \
      "${debs[0]}" 2>&1) || fail "installing the package failed:"$'\n'"$output"
    if ! id "$saver_user" >/dev/null 2>&1; then
      touch "$state/user-made"
      useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin \
        "$saver_user"
    fi
    echo "PASS: installed ${debs[0]##*/}"
    exit 0
    ;;
  remove)
    if [[ -e $state/installed ]]; then
      "${as_root[@]}" apt-get purge -y "${apt_options[@]}" wobblux >/dev/null
      rm "$state/installed"
    fi
    if [[ -e $state/user-made ]]; then
      userdel "$saver_user"
      rm "$state/user-made"
    fi
    echo "PASS"
    exit 0
    ;;
  xscreensaver | mate | xfce) ;;
  *)
    echo "usage: $0 install|xscreensaver|mate|xfce|remove BUILD_DIR [SAVER_SCREEN]" >&2
    exit 2
    ;;
esac

[[ -e $state/installed ]] || skip "the package was not installed (see screen_saver_install)"
declare -A daemon_program=([xscreensaver]=xscreensaver [mate]=mate-screensaver
  [xfce]=xfce4-screensaver)
command -v "${daemon_program[$step]}" >/dev/null ||
  skip "${daemon_program[$step]} is not installed (Debian 12 has no xfce4-screensaver)"

work=$(mktemp -d)
trap 'stop_started; rm -rf "$work"' EXIT
home=$work/home
mkdir "$home"
if [[ $(id -u) -eq 0 ]]; then
  chmod 755 "$work"
  chown "$saver_user" "$home"
fi
start_xvfb "$work" || fail "Xvfb did not start"
# NO_AT_BRIDGE: GTK's daemons start no accessibility bus of their own, which nobody reads here.
environment=(HOME="$home" DISPLAY="$display" PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8
  NO_AT_BRIDGE=1)

# as_saver COMMAND...: runs it as the daemons' user, in the session's environment only;
# start_as_saver COMMAND...: starts it so (see start in scripts/jobs.bash).
as_saver() {
  "${as_saver_user[@]}" env -i "${environment[@]}" "$@"
}
start_as_saver() {
  start "${as_saver_user[@]}" env -i "${environment[@]}" "$@"
}

# Starts a D-Bus session bus for the user and adds its address to the environment.
start_session_bus() {
  start_as_saver \
    dbus-daemon --session --nofork --print-address >"$work/bus" 2>"$work/bus.log"
  for _ in $(seq 100); do
    [[ -s $work/bus ]] && break
    sleep 0.1
  done
  [[ -s $work/bus ]] || fail "no D-Bus session:"$'\n'"$(cat "$work/bus.log")"
  environment+=(DBUS_SESSION_BUS_ADDRESS="$(head -n 1 "$work/bus")")
}

# retry COMMAND...: runs it until it succeeds, for up to ten seconds: a daemon takes commands once
# it has started.
retry() {
  for _ in $(seq 50); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  "$@"
}

# Prints the ids of the user's processes running the installed hack on this test's display (the
# daemon passes its DISPLAY on, perhaps with a screen; another test's daemon, as the same user,
# has another). Only the few named after it are looked at closely: a scan that started programs
# for every process would take seconds.
hack_processes() {
  local uid process name
  uid=$(id -u "$saver_user")
  for process in /proc/[0-9]*; do
    read -r name 2>/dev/null <"$process/comm" || continue
    [[ $name == "${hack##*/}" && $(stat -c %u "$process" 2>/dev/null) == "$uid" &&
      $(readlink "$process/exe" 2>/dev/null) == "$hack" ]] &&
      tr '\0' '\n' <"$process/environ" 2>/dev/null | grep -qE "^DISPLAY=$display(\.[0-9]+)?$" &&
      echo "${process#/proc/}"
  done
  return 0
}

# Each of the hack's processes with its parent and command line, for a failure's message.
describe_hacks() {
  local pid
  for pid in "$@"; do
    echo "  $pid (parent $(awk '{ print $4 }' "/proc/$pid/stat" 2>/dev/null)):" \
      "$(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)"
  done
}

# running PID: whether the process runs; one that has ended but not been waited for (a zombie)
# does not.
running() {
  local stat
  read -r stat 2>/dev/null <"/proc/$1/stat" || return 1
  stat=${stat##*) }
  [[ ${stat%% *} != Z ]]
}

seconds_since() {
  echo "$(($(date +%s%N) / 1000000 - $1)) ms"
}

# Each daemon set up for Wobblux alone, started, and its commands to activate and deactivate.
case $step in
  xscreensaver)
    # The list holds the one line the README tells users to add.
    printf '%s\n' 'mode: one' 'selected: 0' 'lock: False' 'splash: False' 'fade: False' \
      'unfade: False' 'programs: GL: wobblux --root \n\' '' >"$home/.xscreensaver"
    chmod 644 "$home/.xscreensaver"
    start_as_saver xscreensaver -no-splash -verbose >"$work/daemon.log" 2>&1
    activate=(xscreensaver-command -activate)
    deactivate=(xscreensaver-command -deactivate)
    ;;
  mate)
    start_session_bus
    as_saver gsettings set org.mate.screensaver mode "'single'"
    as_saver gsettings set org.mate.screensaver themes "['screensavers-wobblux']"
    as_saver gsettings set org.mate.screensaver lock-enabled false
    environment+=(XDG_CURRENT_DESKTOP=MATE)
    start_as_saver mate-screensaver --no-daemon >"$work/daemon.log" 2>&1
    activate=(mate-screensaver-command --activate)
    deactivate=(mate-screensaver-command --deactivate)
    ;;
  xfce)
    start_session_bus
    as_saver xfconf-query -c xfce4-screensaver -p /saver/mode -n -t int -s 2
    as_saver xfconf-query -c xfce4-screensaver -p /saver/themes/list -n -a -t string -s screensavers-wobblux
    as_saver xfconf-query -c xfce4-screensaver -p /lock/enabled -n -t bool -s false
    environment+=(XDG_CURRENT_DESKTOP=XFCE)
    start_as_saver xfce4-screensaver >"$work/daemon.log" 2>&1
    activate=(xfce4-screensaver-command --activate)
    deactivate=(xfce4-screensaver-command --deactivate)
    ;;
esac

daemon_said() {
  echo "the daemon's output:"$'\n'"$(cat "$work/daemon.log")"
}

retry as_saver "${activate[@]}" || fail "${activate[*]} failed; $(daemon_said)"
activated=$(($(date +%s%N) / 1000000))
for _ in $(seq 100); do
  mapfile -t pids < <(hack_processes)
  ((${#pids[@]} > 0)) && break
  sleep 0.1
done
((${#pids[@]} == 1)) || fail "activated, it runs ${#pids[@]} copies of $hack:
$(describe_hacks "${pids[@]}"); $(daemon_said)"
echo "the hack started $(seconds_since "$activated") after activation"
if ! "$saver_screen" "$display" 20 "$work/screen.png"; then
  cp "$work/screen.png" "$state/$step.png"
  fail "the daemon does not show the scene moving (the last screen: $state/$step.png); $(daemon_said)"
fi
echo "the scene moved on the screen $(seconds_since "$activated") after activation"
running "${pids[0]}" || fail "the hack ended while the daemon was active"

as_saver "${deactivate[@]}" >/dev/null || fail "${deactivate[*]} failed; $(daemon_said)"
deactivated=$(($(date +%s%N) / 1000000))
for _ in $(seq 100); do
  running "${pids[0]}" || break
  sleep 0.05
done
running "${pids[0]}" && fail "the hack still runs 5 s after deactivation"
echo "the hack ended $(seconds_since "$deactivated") after deactivation"
echo "PASS"
