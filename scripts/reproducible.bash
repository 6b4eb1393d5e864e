# Sourced by scripts/package and scripts/release, once `root` is set and progress.bash sourced:
# what makes the same commit build the same bytes, in any clone and any folder, and the check that
# it does.

# Every time stamp in the release files is the last commit's, unless the caller has set one: CPack's
# DEB and ZIP generators take it as is, the wrapper of makensis gives it to every file it packs,
# strip writes it into each Windows program's header, and scripts/zip-folder into the site's zip.
if [[ -z "${SOURCE_DATE_EPOCH:-}" ]]; then
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || stat -c %Y "$root/CMakeLists.txt")
fi
export SOURCE_DATE_EPOCH

# build_twice WHAT DURATION AGAIN COMMAND...: builds twice, each time from scratch in a new folder,
# and checks that the two builds made the same files, byte for byte. COMMAND BUILD FILES builds in
# the folder BUILD and puts the files it makes into the folder FILES; DURATION and AGAIN say how
# long the first build and the second take. If the files are the same, it copies the first build's
# into dist/ and prints their paths; if not, it names both folders and returns 1. The folders go
# when the script ends, unless the files differ.
build_twice() {
  local what=$1 duration=$2 again=$3 first second file
  shift 3
  # Both from scratch, so that nothing left in a build folder by an older commit can make the two
  # alike, or make them differ.
  first=$(mktemp -d)
  second=$(mktemp -d)
  scratch_folders=("$first" "$second")
  trap 'rm -rf "${scratch_folders[@]}"' EXIT
  step "Building $what from scratch in $first ($duration)..."
  "$@" "$first/build" "$first/files" >/dev/null || return
  step "Building $what again, from scratch in $second, to compare ($again)..."
  "$@" "$second/build" "$second/files" >/dev/null || return
  if ! "$root/scripts/compare-builds" "$first/files" "$second/files"; then
    scratch_folders=()
    echo "Not reproducible: two builds of the same commit differ; both are kept, in $first and" \
      "$second." >&2
    return 1
  fi
  echo "Reproducible: a second build of $what from scratch made the same files, byte for byte."
  mkdir -p "$root/dist"
  for file in "$first"/files/*; do
    cp "$file" "$root/dist/"
    echo "$root/dist/$(basename "$file")"
  done
}
