#!/usr/bin/env bash
# installer_test.sh BUILD_DIR WINE_RUN
#
# Packs the Windows installer, installs it silently (/S) into the build's wine prefix, checks the
# program, the screen saver in Windows' system folder, the Start menu link and the
# installed-programs entry, then runs the uninstaller silently and checks that nothing it
# installed is left. WINE_RUN runs a program in the prefix.
set -euo pipefail

build=$1
wine_run=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

prefix=$(sed -n "s/^export WINEPREFIX='\(.*\)'$/\1/p" "$wine_run")
folder="$prefix/drive_c/Program Files/Wobblux"
link="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Wobblux/Wobblux.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Wobblux'
screen_saver="$prefix/drive_c/windows/system32/wobblux.scr"
installed=(wobblux.exe wobblux.scr LICENSE.txt README.txt licences/freeglut.txt licences/mingw-w64.txt
  Uninstall.exe)

# Waits up to 30 s for a path to appear (present) or go (absent): the uninstaller copies itself
# away and returns before its copy has removed anything.
wait_for() {
  local state=$1 path=$2
  for _ in $(seq 300); do
    if [[ -e $path && $state == present || ! -e $path && $state == absent ]]; then
      return 0
    fi
    sleep 0.1
  done
  return 1
}

echo "Packing"
output=$(cd "$build" && cpack -G NSIS -B "$work" 2>&1) || fail "cpack failed:"$'\n'"$output"
setup=$(ls "$work"/wobblux-*-win64-setup.exe) || fail "no installer named wobblux-<version>-win64-setup.exe"

echo "Installing silently"
"$wine_run" "$setup" /S || fail "the installer exited with status $?"
for file in "${installed[@]}"; do
  wait_for present "$folder/$file" || fail "not installed: $file"
done
[[ -f $link ]] || fail "no Start menu link: $link"
cmp -s "$folder/wobblux.scr" "$screen_saver" || fail "the screen saver is not in the system folder"
# The link holds its target's full path in the system's code page.
strings -a "$link" | grep -qxF 'C:\Program Files\Wobblux\wobblux.exe' ||
  fail "the Start menu link does not start the installed program:"$'\n'"$(strings -a "$link")"
entry=$("$wine_run" reg query "$key" 2>/dev/null | tr -d '\r') || fail "no installed-programs entry $key"
grep -Eq "DisplayVersion +REG_SZ +[0-9]+\.[0-9]+" <<<"$entry" || fail "the entry has no version:"$'\n'"$entry"
grep -Eq 'DisplayIcon +REG_SZ +.*wobblux\.exe' <<<"$entry" || fail "the entry has no icon:"$'\n'"$entry"

echo "Uninstalling silently"
"$wine_run" "$folder/Uninstall.exe" /S || fail "the uninstaller exited with status $?"
for file in "${installed[@]}"; do
  wait_for absent "$folder/$file" || fail "left behind: $file"
done
wait_for absent "$link" || fail "the Start menu link is left behind"
wait_for absent "$screen_saver" || fail "the screen saver is left in the system folder"
[[ ! -e $folder ]] || fail "left behind: $(find "$folder")"
echo "PASS"
